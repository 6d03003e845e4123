#pragma once
// The live signal column: level as a number and on the slider, the alarm
// output on the LED, and a held peak refreshed every 2000 ms.

#include "link/Commands.h"
#include "platform/Timers.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"

namespace quarn::sensorwin {

inline constexpr int kPeakHoldMs = 2000;

struct SignalControls {
    quarn::Label& levelValue;
    quarn::Label& peakValue;
    quarn::Slider& levelBar;
    quarn::Led& alarmLed;
    quarn::Timer& peakHoldTimer;
};

class SignalDisplay {
  public:
    explicit SignalDisplay(SignalControls controls) : c_(controls) {}

    // One sample: mode at byte 3 (only 2 is shown), level at bytes 4-5,
    // alarm output at byte 6.
    void showSignal(const link::MsgBytes& frame);
    // The hold has run out: the peak follows the current level.
    void onPeakHoldExpired();

  private:
    SignalControls c_;
};

}  // namespace quarn::sensorwin
