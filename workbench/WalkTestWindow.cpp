#include "workbench/WalkTestWindow.h"

#include <array>
#include <string>

#include "sensorwin/SignalDisplay.h"

namespace quarn::workbench {

namespace {

// Design size of the window before the technician enlarges it, in twips.
constexpr int kDesignClientWidth = 9600;
constexpr int kDesignClientHeight = 6600;

// How the alarm field shows each state: colours that tell the states apart
// from across a room, and the words for those who cannot tell the colours.
struct AlarmFieldLook {
    AlarmFieldState state = AlarmFieldState::NoSignal;
    texts::StringId text = texts::StringId::WalkTestNoSignal;
    Rgb background;
    Rgb foreground;
};

constexpr std::array<AlarmFieldLook, 3> kAlarmFieldLooks = {{
    {AlarmFieldState::NoSignal, texts::StringId::WalkTestNoSignal, {128, 128, 128}, colors::kWhite},
    {AlarmFieldState::Quiet, texts::StringId::WalkTestNoAlarm, {0, 140, 0}, colors::kWhite},
    {AlarmFieldState::Alarm, texts::StringId::WalkTestAlarm, {220, 0, 0}, colors::kWhite},
}};

constexpr const AlarmFieldLook& lookOf(AlarmFieldState state) {
    return kAlarmFieldLooks[static_cast<std::size_t>(state)];
}

constexpr bool looksInOrder() {
    for (std::size_t i = 0; i < kAlarmFieldLooks.size(); ++i) {
        if (static_cast<std::size_t>(kAlarmFieldLooks[i].state) != i) {
            return false;
        }
    }
    return true;
}
static_assert(looksInOrder(), "kAlarmFieldLooks rows must follow AlarmFieldState's order");

}  // namespace

WalkTestWindow::WalkTestWindow(const sensor::SessionState& session, AlarmTone& tone)
    : quarn::Form("WalkTestWindow"), session_(session), tone_(tone) {
    const sensorwin::LevelScale& scale = sensorwin::kLevelBarScale;
    levelBar.setScale(scale.maximum, scale.majorTick, scale.minorTick);
    alarmField.setTransparent(false);
    alarmField.setAlignment(Alignment::Center);
    levelValue.setAlignment(Alignment::Center);
    peakValue.setAlignment(Alignment::Center);
    fullScreenButton.setClickHandler([this] { onFullScreenToggle(); });
    setClientSize(kDesignClientWidth, kDesignClientHeight);
    showNoSignal();
}

void WalkTestWindow::onLoad() {
    showTexts();
}

void WalkTestWindow::onUnload() {
    // The next opening starts as a window again.
    setFullScreen(false);
}

void WalkTestWindow::setFullScreen(bool fullScreen) {
    if (fullScreen_ != fullScreen) {
        fullScreen_ = fullScreen;
        showFullScreenCaption();
        notifyChanged();
    }
}

void WalkTestWindow::sensorWindowOpened() {
    // The language may have changed while the sensor window was closed.
    showTexts();
}

void WalkTestWindow::sensorWindowClosed() {
    showNoSignal();
}

void WalkTestWindow::signalShown(const sensor::SignalSample& sample) {
    if (!sensorwin::carriesLevel(sample)) {
        return;  // the sensor window does not show it either
    }
    const bool alarmStarts = sample.alarm && alarmState_ != AlarmFieldState::Alarm;
    levelValue.setCaption(std::to_string(sample.level));
    levelBar.setValue(sample.level);
    peakValue.setCaption(std::to_string(heldPeak_));
    showAlarmField(sample.alarm ? AlarmFieldState::Alarm : AlarmFieldState::Quiet);
    // Only while the technician has the window open and asked for it.
    if (alarmStarts && loaded() && toneCheck.checked()) {
        tone_.play();
    }
}

void WalkTestWindow::peakShown(std::int32_t peak) {
    heldPeak_ = peak;
    if (alarmState_ != AlarmFieldState::NoSignal) {
        peakValue.setCaption(std::to_string(heldPeak_));
    }
}

void WalkTestWindow::showTexts() {
    const texts::StringTableEntries& text = session_.texts;
    setCaption(texts::textOf(text, texts::StringId::WalkTestCaption));
    levelCaption.setCaption(texts::textOf(text, texts::StringId::WalkTestLevelCaption));
    peakCaption.setCaption(texts::textOf(text, texts::StringId::WalkTestPeakCaption));
    toneCheck.setCaption(texts::textOf(text, texts::StringId::ToneAtAlarmCheck));
    showFullScreenCaption();
    showAlarmField(alarmState_);
}

void WalkTestWindow::showNoSignal() {
    levelValue.setCaption("");
    levelBar.setValue(0);
    peakValue.setCaption("");
    showAlarmField(AlarmFieldState::NoSignal);
}

void WalkTestWindow::showAlarmField(AlarmFieldState state) {
    alarmState_ = state;
    const AlarmFieldLook& look = lookOf(state);
    alarmField.setCaption(texts::textOf(session_.texts, look.text));
    alarmField.setBackColor(look.background);
    alarmField.setForeColor(look.foreground);
}

void WalkTestWindow::showFullScreenCaption() {
    const texts::StringId caption =
        fullScreen_ ? texts::StringId::LeaveFullScreenButton : texts::StringId::FullScreenButton;
    fullScreenButton.setCaption(texts::textOf(session_.texts, caption));
}

}  // namespace quarn::workbench
