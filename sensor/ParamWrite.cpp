#include "sensor/ParamWrite.h"

#include "link/DeviceIdentity.h"

namespace quarn::sensor {

namespace {

// The lists always hold a selection once the window has loaded; the byte is
// the wire encoding of that index.
std::uint8_t WireByte(const quarn::ComboList& list, int offset) {
    return static_cast<std::uint8_t>(list.listIndex() + offset);
}

}  // namespace

std::int16_t BuildParamWrite(const ParameterLists& lists, std::int32_t fwVersion,
                             TickPayload& payload) {
    payload[0] = WireByte(lists.sensitivityList, 1);
    payload[1] = WireByte(lists.relayOnTimeList, 1);
    payload[2] = WireByte(lists.reactionSpeedList, 0);
    payload[3] = WireByte(lists.mainsFilterList, 0);
    payload[4] = WireByte(lists.highTrafficList, 0);
    if (fwVersion >= link::kHeightFirmware) {
        payload[5] = WireByte(lists.installationHeightList, 0);
        return 6;
    }
    return 5;
}

}  // namespace quarn::sensor
