#pragma once
// The live signal column: level as a number and on the slider, the alarm
// output on the LED, and a held peak refreshed every 2000 ms.

#include <cstdint>

#include "platform/Timers.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "sensor/SensorReplies.h"

namespace quarn::sensorwin {

inline constexpr int kPeakHoldMs = 2000;

// Only samples of this mode carry the detection level; the column shows
// no others, nor does anything that keeps what the column showed.
inline constexpr std::uint8_t kShownSignalMode = 2;
constexpr bool isShownSignal(const sensor::SignalSample& sample) {
    return sample.mode == kShownSignalMode;
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
    explicit SignalDisplay(SignalColumnControls controls) : controls_(controls) {}

    // A fresh column: no level shown yet, and a held peak of 0.
    void clear();
    // One sample; only mode 2 is shown.
    void showSignal(const sensor::SignalSample& sample);
    // The hold has run out: the peak follows the current level.
    void onPeakHoldExpired();

    // The held peak the column shows.
    std::int32_t heldPeak() const { return peak_; }

  private:
    void showPeak(std::int32_t peak);

    SignalColumnControls controls_;
    std::int32_t level_ = 0;  // the last level shown
    std::int32_t peak_ = 0;   // the held peak
};

}  // namespace quarn::sensorwin
