#include "sensor/ParamWrite.h"

#include "link/DeviceIdentity.h"

namespace quarn::sensor {

namespace {

// The lists always hold a selection once the window has loaded; the byte is
// the wire encoding of that index.
std::uint8_t wireByte(const quarn::ComboList& list, int offset) {
    return static_cast<std::uint8_t>(list.listIndex() + offset);
}

}  // namespace

std::int16_t buildParamWrite(const ParameterLists& lists, std::int32_t fwVersion,
                             TickPayload& payload) {
    payload[0] = wireByte(lists.sensitivityList, 1);
    payload[1] = wireByte(lists.relayOnTimeList, 1);
    payload[2] = wireByte(lists.reactionSpeedList, 0);
    payload[3] = wireByte(lists.mainsFilterList, 0);
    payload[4] = wireByte(lists.highTrafficList, 0);
    if (fwVersion >= link::kHeightFirmware) {
        payload[5] = wireByte(lists.installationHeightList, 0);
        return 6;
    }
    return 5;
}

}  // namespace quarn::sensor
