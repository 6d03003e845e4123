#include "sensor/SensorReplies.h"

#include <algorithm>

#include "link/ReceivedFrame.h"

namespace quarn::sensor {

namespace {

// Markers, command, checksum and markers around the payload.
constexpr std::int16_t kFrameOverhead = 7;
constexpr std::size_t kPayloadStart = 3;
constexpr std::int16_t kSignalPayload = 4;  // mode, level word, alarm

std::int16_t parametersCarried(std::int32_t firmwareVersion) {
    return static_cast<std::int16_t>(
        std::count_if(kParameterTable.begin(), kParameterTable.end(),
                      [&](const ParameterRow& row) { return carriedBy(row, firmwareVersion); }));
}

// Whether the byte is the parameter at all depends, for a parameter that only
// some firmware carries, on the firmware word, which is known only while the
// identity is current. Without it the list is left as it was rather than set
// to a value the sensor did not report.
std::optional<std::int16_t> reportedIndex(const ParameterRow& row, std::uint8_t byte,
                                          const link::DeviceIdentity& identity) {
    if (row.sinceFirmware == kEverySensor) {
        return listIndexOf(row, byte);
    }
    if (identity.type != link::kZelDeviceType) {
        return std::nullopt;
    }
    if (!carriedBy(row, identity.firmwareVersion)) {
        return 0;  // not carried: the list shows its first item
    }
    return listIndexOf(row, byte);
}

}  // namespace

bool ParameterReply::whole() const {
    return std::all_of(indices_.begin(), indices_.end(),
                       [](const std::optional<std::int16_t>& index) { return index.has_value(); });
}

std::int16_t minimumReplyLength(link::Command command, std::int32_t firmwareVersion) {
    switch (command) {
        case link::Command::Identity:
            return link::kIdentityFrameLength;
        case link::Command::Parameters:
            return static_cast<std::int16_t>(kFrameOverhead + parametersCarried(firmwareVersion));
        case link::Command::SignalSample:
            return kFrameOverhead + kSignalPayload;
        default:
            return 0;
    }
}

ParameterReply readParameterReply(const link::FrameBytes& frame,
                                  const link::DeviceIdentity& identity) {
    ParameterReply reply;
    for (const ParameterRow& row : kParameterTable) {
        const std::uint8_t byte = frame[kPayloadStart + indexOf(row.parameter)];
        const std::optional<std::int16_t> index = reportedIndex(row, byte, identity);
        reply.set(row.parameter, index);
        // Without an index only because the firmware word is unknown, the
        // value was never judged.
        const bool judged =
            row.sinceFirmware == kEverySensor || identity.type == link::kZelDeviceType;
        if (!index && judged) {
            reply.setRefused(RefusedValue{row.parameter, byte});
        }
    }
    return reply;
}

SignalSample readSignalSample(const link::FrameBytes& frame) {
    SignalSample sample;
    sample.mode = frame[kPayloadStart];
    sample.level = link::wordAt(frame, kPayloadStart + 1);
    sample.alarm = frame[kPayloadStart + 3] != 0;
    return sample;
}

}  // namespace quarn::sensor
