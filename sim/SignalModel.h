#pragma once
// The Zel sensor's live detection signal: a noise floor of a few hundred with
// motion events at random times, where the level rises to several thousands
// (now and then above 20000) and falls back. The alarm output follows the
// level against a threshold set by the sensitivity and, like a relay with an
// ON time, stays on for that time after the level has dropped.

#include <cstdint>
#include <random>

#include "sim/DeviceConfig.h"

namespace quarn::sim {

inline constexpr int kSamplePeriodMs = 50;

struct SignalSample {
    std::uint16_t level = 0;
    bool alarm = false;
};

class SignalModel {
  public:
    SignalModel(std::uint32_t seed, bool randomMotion);

    // The next sample, kSamplePeriodMs after the previous one.
    SignalSample next(const ZelParameters& params);
    // A motion event starting with the next sample.
    void triggerMotion(std::uint16_t peakLevel, int durationMs);
    // Power cycle: no event in progress, relay off.
    void reset();

    // Level above which the alarm switches on; higher sensitivity, lower
    // threshold. Values outside 1..9 count as the nearest end.
    static std::uint16_t alarmThreshold(std::uint8_t sensitivity);

  private:
    void maybeStartRandomEvent();
    double eventEnvelope() const;

    std::mt19937 rng_;
    bool randomMotion_;
    int eventLengthSamples_ = 0;  // 0: no event
    int eventPosition_ = 0;
    double eventPeak_ = 0.0;
    int relayHoldSamples_ = 0;  // samples the alarm stays on after the level drops
};

}  // namespace quarn::sim
