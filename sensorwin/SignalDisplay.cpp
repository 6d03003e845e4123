#include "sensorwin/SignalDisplay.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace quarn::sensorwin {

namespace {

constexpr std::uint8_t kShownMode = 2;

// The level labels only ever hold decimal texts written here; anything else
// (the empty level label of a fresh window) counts as 0.
std::int32_t labelNumber(const quarn::Label& label) {
    const std::string& text = label.caption();
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

void SignalDisplay::showSignal(const link::MsgBytes& frame) {
    if (frame[3] != kShownMode) {
        return;
    }
    const std::int32_t level = frame[4] * 256 + frame[5];
    c_.levelValue.setCaption(std::to_string(level));

    if (labelNumber(c_.levelValue) > labelNumber(c_.peakValue)) {
        c_.peakValue.setCaption(c_.levelValue.caption());
        // A new peak holds for the full time again.
        c_.peakHoldTimer.setEnabled(false);
        c_.peakHoldTimer.setInterval(kPeakHoldMs);
        c_.peakHoldTimer.setEnabled(true);
    }

    c_.levelBar.setValue(level);
    c_.alarmLed.setOn(frame[6] != 0);
}

void SignalDisplay::onPeakHoldExpired() {
    c_.peakValue.setCaption(c_.levelValue.caption());
}

}  // namespace quarn::sensorwin
