#include "sensorwin/SensorWindow.h"

#include <array>

#include "sensorwin/AreaDrawing.h"
#include "sensorwin/ListContents.h"

namespace quarn::sensorwin {

namespace {

// String table entries used by the window.
constexpr int kEntryWindowCaption = 33;
constexpr int kEntryExit = 11;
constexpr int kEntrySensitivity = 57;
constexpr int kEntryRelayTime = 58;
constexpr int kEntrySpeed = 59;
constexpr int kEntryFilter = 60;
constexpr int kEntryHighTraffic = 61;
constexpr int kEntryHeight = 62;
constexpr int kEntrySignal = 63;
constexpr int kEntryParameters = 64;

constexpr int kOuterWidthMargin = 100;
constexpr std::uint8_t kStreamStop = 0;

}  // namespace

SensorWindow::SensorWindow(sensor::SessionState& session, link::MessageSender& sender,
                           link::TrafficObserver& traffic, quarn::TimerService& timers,
                           const quarn::HostServices& host, std::function<void()> returnToStart)
    : quarn::Form("SensorWindow"),
      conversationTimer(timers.createTimer()),
      peakHoldTimer(timers.createTimer()),
      session_(session),
      sender_(sender),
      host_(host),
      returnToStart_(std::move(returnToStart)),
      conversation_(session, sender, params_, state_,
                    sensor::ConversationControls{lists(), *conversationTimer, statusBar,
                                                 [this] { unload(); }}),
      decoder_(session.identity, state_, *this, traffic),
      presenter_(ParamControls{lists(), heightLabel, detectionAreaPicture, detectionArea}, params_,
                 session.identity, session.texts[kEntryHeight]),
      signal_(SignalControls{levelValue, peakValue, levelBar, alarmLed, *peakHoldTimer}) {
    guard_.connect(lists());
    exitMenu.setClickHandler([this] { onExit(); });
    conversationTimer->setTickHandler([this] { onConversationTick(); });
    peakHoldTimer->setTickHandler([this] { onPeakHoldExpired(); });
    layOutControls();
}

SensorWindow::~SensorWindow() = default;

sensor::ParameterLists SensorWindow::lists() {
    return {sensitivityList, relayOnTimeList, reactionSpeedList,
            mainsFilterList, highTrafficList, installationHeightList};
}

void SensorWindow::showSensorWindow() {
    show();
}

void SensorWindow::onLoad() {
    layOutControls();

    setOuterWidth(parametersFrame.geometry().left + parametersFrame.geometry().width +
                  kOuterWidthMargin);
    const auto& text = session_.texts;
    setCaption(text[kEntryWindowCaption]);
    exitMenu.setCaption(text[kEntryExit]);

    // From here on received frames go to this window's decoder.
    session_.activeWindow = link::ActiveWindow::Sensor;

    sensitivityCaption.setCaption(text[kEntrySensitivity]);
    relayOnTimeCaption.setCaption(text[kEntryRelayTime]);
    reactionSpeedCaption.setCaption(text[kEntrySpeed]);
    mainsFilterCaption.setCaption(text[kEntryFilter]);
    highTrafficCaption.setCaption(text[kEntryHighTraffic]);
    installationHeightCaption.setCaption(text[kEntryHeight]);
    parametersFrame.setCaption(text[kEntryParameters]);
    signalCaption.setCaption(text[kEntrySignal]);

    fillParamLists(lists(), text, host_.decimalSeparator());

    conversationTimer->setInterval(kConversationTickMs);
    conversationTimer->setEnabled(true);

    state_.readParametersPending = true;
    state_.streamStartPending = true;
    // The first read and stream start leave now, not a tick later.
    conversation_.conversationTick();

    session_.endWithSensorWindow = true;
}

// Runs for every kind of close; it never cancels it.
void SensorWindow::onUnload() {
    conversationTimer->setEnabled(false);
    peakHoldTimer->setEnabled(false);

    const std::array<std::uint8_t, 1> stop{kStreamStop};
    sender_.send(link::Command::SetStreaming, stop, 1, true);

    if (returnToStart_) {
        returnToStart_();
    }
}

void SensorWindow::onExit() {
    unload();
}

void SensorWindow::onConversationTick() {
    conversation_.conversationTick();
}

void SensorWindow::onPeakHoldExpired() {
    signal_.onPeakHoldExpired();
}

bool SensorWindow::showParameters(const link::MsgBytes& frame) {
    return presenter_.showParameters(frame);
}

void SensorWindow::showSignal(const link::MsgBytes& frame) {
    signal_.showSignal(frame);
}

void SensorWindow::showHeight() {
    presenter_.showHeight();
}

void SensorWindow::drawArea(std::int16_t size) {
    sensorwin::drawArea(detectionAreaPicture, detectionArea, size);
}

}  // namespace quarn::sensorwin
