#include "sim/SignalModel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quarn::sim {

namespace {
constexpr double kFloorMean = 300.0;
constexpr double kFloorSpread = 70.0;
constexpr double kFloorMin = 50.0;
constexpr double kFloorMax = 700.0;
// On average one random motion event every six seconds.
constexpr double kEventChancePerSample = 1.0 / 120.0;
constexpr int kEventMinSamples = 16;  // 0.8 s
constexpr int kEventMaxSamples = 80;  // 4 s
constexpr int kSamplesPerHalfSecond = 500 / kSamplePeriodMs;
constexpr std::uint8_t kMaxRelayOnTime = 9;
}  // namespace

SignalModel::SignalModel(std::uint32_t seed, bool randomMotion)
    : rng_(seed), randomMotion_(randomMotion) {}

std::uint16_t SignalModel::alarmThreshold(std::uint8_t sensitivity) {
    const int s = std::clamp<int>(sensitivity, 1, 9);
    return static_cast<std::uint16_t>(1000 + (9 - s) * 1000);
}

void SignalModel::triggerMotion(std::uint16_t peakLevel, int durationMs) {
    eventLengthSamples_ = std::max(2, durationMs / kSamplePeriodMs);
    eventPosition_ = 0;
    eventPeak_ = peakLevel;
}

void SignalModel::reset() {
    eventLengthSamples_ = 0;
    eventPosition_ = 0;
    eventPeak_ = 0.0;
    relayHoldSamples_ = 0;
}

void SignalModel::maybeStartRandomEvent() {
    if (!randomMotion_ || eventLengthSamples_ != 0) {
        return;
    }
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    if (chance(rng_) >= kEventChancePerSample) {
        return;
    }
    std::uniform_int_distribution<int> length(kEventMinSamples, kEventMaxSamples);
    // Mostly a person walking by; now and then something big and close.
    const double kind = chance(rng_);
    std::uniform_real_distribution<double> peak =
        kind < 0.7   ? std::uniform_real_distribution<double>(2500.0, 12000.0)
        : kind < 0.9 ? std::uniform_real_distribution<double>(12000.0, 20000.0)
                     : std::uniform_real_distribution<double>(20000.0, 32000.0);
    eventLengthSamples_ = length(rng_);
    eventPosition_ = 0;
    eventPeak_ = peak(rng_);
}

double SignalModel::eventEnvelope() const {
    if (eventLengthSamples_ == 0) {
        return 0.0;
    }
    // Half a sine: rises to the peak in the middle of the event and falls back.
    return std::sin(std::numbers::pi * eventPosition_ / eventLengthSamples_);
}

SignalSample SignalModel::next(const ZelParameters& params) {
    maybeStartRandomEvent();

    std::normal_distribution<double> floorNoise(kFloorMean, kFloorSpread);
    const double floor = std::clamp(floorNoise(rng_), kFloorMin, kFloorMax);
    const double level = std::clamp(floor + eventEnvelope() * eventPeak_, 0.0, 65535.0);
    if (eventLengthSamples_ != 0 && ++eventPosition_ >= eventLengthSamples_) {
        eventLengthSamples_ = 0;
        eventPosition_ = 0;
    }

    SignalSample sample;
    sample.level = static_cast<std::uint16_t>(std::lround(level));
    if (sample.level > alarmThreshold(params.sensitivity)) {
        // The relay holds for its ON time after the last detection.
        relayHoldSamples_ = std::min(params.relayOnTime, kMaxRelayOnTime) * kSamplesPerHalfSecond;
        sample.alarm = true;
    } else if (relayHoldSamples_ > 0) {
        --relayHoldSamples_;
        sample.alarm = true;
    }
    return sample;
}

}  // namespace quarn::sim
