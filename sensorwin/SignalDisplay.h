#pragma once
// The live signal column: level as a number and on the slider, the alarm
// output on the LED, and a held peak refreshed every 2000 ms.

#include <cstdint>
#include <functional>
#include <utility>

#include "platform/Timers.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "sensor/SensorReplies.h"

namespace quarn::sensorwin {

inline constexpr int kPeakHoldMs = 2000;

// The level bar's scale: the span of levels the bar fills and its ticks.
struct LevelScale {
    std::int32_t maximum;
    std::int32_t majorTick;
    std::int32_t minorTick;
};
inline constexpr LevelScale kLevelBarScale{20000, 5000, 2500};

// Only samples of the level mode carry the detection level the column shows.
inline constexpr std::uint8_t kShownMode = 2;
constexpr bool carriesLevel(const sensor::SignalSample& sample) {
    return sample.mode == kShownMode;
}

struct SignalColumnControls {
    quarn::Label& levelValue;
    quarn::Label& peakValue;
    quarn::Slider& levelBar;
    quarn::Led& alarmLed;
    quarn::Timer& peakHoldTimer;
};

class SignalDisplay {
  public:
    // Told of every held peak the column shows (a new peak, the hold running
    // out, a cleared column), so that another display can show the same one.
    using PeakShown = std::function<void(std::int32_t peak)>;

    explicit SignalDisplay(SignalColumnControls controls, PeakShown peakShown = {})
        : controls_(controls), peakShown_(std::move(peakShown)) {}

    // A fresh column: no level shown yet, and a held peak of 0.
    void clear();
    // One sample; only one that carriesLevel is shown.
    void showSignal(const sensor::SignalSample& sample);
    // The hold has run out: the peak follows the current level.
    void onPeakHoldExpired();

    // The held peak the column shows.
    std::int32_t heldPeak() const { return peak_; }

  private:
    void showPeak(std::int32_t peak);

    SignalColumnControls controls_;
    PeakShown peakShown_;
    std::int32_t level_ = 0;  // the last level shown
    std::int32_t peak_ = 0;   // the held peak
};

}  // namespace quarn::sensorwin
