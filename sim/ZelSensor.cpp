#include "sim/ZelSensor.h"

#include <algorithm>
#include <cstddef>

#include "sim/DeviceCommands.h"

namespace quarn::sim {

namespace {
constexpr std::size_t kValuesWithoutHeight = 5;
constexpr std::size_t kValuesWithHeight = 6;
// Valid range of each value, in payload order.
struct ValueRange {
    std::uint8_t min;
    std::uint8_t max;
};
constexpr std::array<ValueRange, 6> kRanges{{{1, 9}, {1, 9}, {0, 2}, {0, 2}, {0, 1}, {0, 2}}};

std::array<std::uint8_t, 6> toBytes(const ZelParameters& p) {
    return {p.sensitivity, p.relayOnTime, p.reactionSpeed, p.mainsFilter, p.highTraffic, p.height};
}

ZelParameters fromBytes(const std::array<std::uint8_t, 6>& b) {
    return {b[0], b[1], b[2], b[3], b[4], b[5]};
}
}  // namespace

ZelSensor::ZelSensor(DeviceConfig config)
    : Device(std::move(config)),
      parameters_(this->config().parameters),
      signal_(this->config().seed, this->config().randomMotion) {}

void ZelSensor::advanceTo(std::int64_t nowMs, ReplySink& sink) {
    while (streaming_ && nextSampleMs_ <= nowMs) {
        if (sink.saturated()) {
            // Nothing more fits in the driver's queue: samples due now would
            // be lost anyway, so step over them.
            nextSampleMs_ += ((nowMs - nextSampleMs_) / kSamplePeriodMs + 1) * kSamplePeriodMs;
            break;
        }
        const SignalSample sample = signal_.next(parameters_);
        sink.send(nextSampleMs_, command::kSignalSample,
                  {command::kSampleModeLevel, static_cast<std::uint8_t>(sample.level >> 8),
                   static_cast<std::uint8_t>(sample.level & 0xFF),
                   static_cast<std::uint8_t>(sample.alarm ? 1 : 0)});
        nextSampleMs_ += kSamplePeriodMs;
    }
}

void ZelSensor::handleFrame(const ReceivedFrame& frame, ReplySink& sink) {
    switch (frame.command) {
        case command::kGetParameters:
            replyParameters(frame.timeMs, sink);
            break;
        case command::kSetParameters:
            storeParameters(frame, sink);
            break;
        case command::kSetStreaming:
            setStreaming(frame, sink);
            break;
        default:
            break;  // not a request this sensor knows
    }
}

void ZelSensor::powerDown() {
    streaming_ = false;
    signal_.reset();
}

void ZelSensor::replyParameters(std::int64_t atMs, ReplySink& sink) const {
    const auto values = config().forcedReplyValues.value_or(toBytes(parameters_));
    const std::size_t count = hasHeight() ? kValuesWithHeight : kValuesWithoutHeight;
    sink.send(atMs, command::kParameters,
              std::vector<std::uint8_t>(values.begin(), values.begin() + count));
}

void ZelSensor::storeParameters(const ReceivedFrame& frame, ReplySink& sink) {
    if (frame.payload.size() < kValuesWithoutHeight || !config().acknowledgesWrites) {
        return;  // malformed write, or a deaf sensor: neither stored nor acknowledged
    }
    // A 5-value write to a sensor with the height leaves its height alone;
    // a sixth value to a sensor without it is ignored.
    const std::size_t count =
        hasHeight() ? std::min(frame.payload.size(), kValuesWithHeight) : kValuesWithoutHeight;
    auto values = toBytes(parameters_);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t v = frame.payload[i];
        const bool inRange = v >= kRanges[i].min && v <= kRanges[i].max;
        switch (config().outOfRangeWrite) {
            case OutOfRangeWrite::Clamp:
                values[i] = std::clamp(v, kRanges[i].min, kRanges[i].max);
                break;
            case OutOfRangeWrite::Refuse:
                if (inRange) {
                    values[i] = v;
                }
                break;
            case OutOfRangeWrite::Store:
                values[i] = v;
                break;
        }
    }
    parameters_ = fromBytes(values);
    sink.send(frame.timeMs, command::kParametersWritten, {});
}

void ZelSensor::setStreaming(const ReceivedFrame& frame, ReplySink& sink) {
    if (frame.payload.empty()) {
        return;
    }
    const bool on = frame.payload.front() == command::kStreamingOn;
    if (on && !streaming_) {
        nextSampleMs_ = frame.timeMs + kSamplePeriodMs;
    }
    streaming_ = on;
    sink.send(frame.timeMs, command::kStreamingSet, {});
}

}  // namespace quarn::sim
