#include "sensorwin/SignalDisplay.h"

#include <charconv>
#include <cstdint>
#include <string>

namespace quarn::sensorwin {

namespace {

constexpr std::uint8_t kShownMode = 2;

// The level labels only ever hold decimal texts written here; anything else
// (the empty level label of a fresh window) counts as 0.
std::int32_t LabelNumber(const quarn::Label& label) {
    const std::string& text = label.caption();
    std::int32_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

}  // namespace

void SignalDisplay::ShowSignal(const link::MsgBytes& frame) {
    if (frame[3] != kShownMode) {
        return;
    }
    const std::int32_t level = frame[4] * 256 + frame[5];
    c_.ValueAlarmRadarZel.setCaption(std::to_string(level));

    if (LabelNumber(c_.ValueAlarmRadarZel) > LabelNumber(c_.ValueAlarmRadarZelPeak)) {
        c_.ValueAlarmRadarZelPeak.setCaption(c_.ValueAlarmRadarZel.caption());
        // A new peak holds for the full time again.
        c_.TimerDisplayPeak.setEnabled(false);
        c_.TimerDisplayPeak.setInterval(kPeakHoldMs);
        c_.TimerDisplayPeak.setEnabled(true);
    }

    c_.BarSignZel.setValue(level);
    c_.LedStatusRadarZel.setOn(frame[6] != 0);
}

void SignalDisplay::TimerDisplayPeak_Timer() {
    c_.ValueAlarmRadarZelPeak.setCaption(c_.ValueAlarmRadarZel.caption());
}

}  // namespace quarn::sensorwin
