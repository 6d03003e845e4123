#include "sensorwin/SignalDisplay.h"

#include <string>

namespace quarn::sensorwin {

void SignalDisplay::clear() {
    level_ = 0;
    controls_.levelValue.setCaption("");
    showPeak(0);
}

void SignalDisplay::showSignal(const sensor::SignalSample& sample) {
    if (!carriesLevel(sample)) {
        return;
    }
    level_ = sample.level;
    controls_.levelValue.setCaption(std::to_string(level_));

    if (level_ > peak_) {
        showPeak(level_);
        // A new peak holds for the full time again.
        controls_.peakHoldTimer.setEnabled(false);
        controls_.peakHoldTimer.setInterval(kPeakHoldMs);
        controls_.peakHoldTimer.setEnabled(true);
    }

    controls_.levelBar.setValue(level_);
    controls_.alarmLed.setOn(sample.alarm);
}

void SignalDisplay::onPeakHoldExpired() {
    showPeak(level_);
}

void SignalDisplay::showPeak(std::int32_t peak) {
    peak_ = peak;
    controls_.peakValue.setCaption(std::to_string(peak_));
    if (peakShown_) {
        peakShown_(peak_);
    }
}

}  // namespace quarn::sensorwin
