#include "sensorwin/FormRadarZel.h"

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

FormRadarZel::FormRadarZel(sensor::SessionState& session, link::MessageSender& sender,
                           link::TrafficObserver& traffic, quarn::TimerService& timers,
                           const quarn::HostServices& host, std::function<void()> returnToStart)
    : quarn::Form("FormRadarZel"),
      TimerGestConn(timers.createTimer()),
      TimerDisplayPeak(timers.createTimer()),
      session_(session),
      sender_(sender),
      host_(host),
      returnToStart_(std::move(returnToStart)),
      conversation_(
          session, sender, params_, state_,
          sensor::ConversationWindow{Lists(), *TimerGestConn, StatusBar, [this] { unload(); }}),
      decoder_(session.identity, state_, *this, traffic),
      presenter_(ParamControls{Lists(), LabelHeightRadarZel, PictureAreaRadarZel, AreaRadarZel},
                 params_, session.identity, session.texts[kEntryHeight]),
      signal_(SignalControls{ValueAlarmRadarZel, ValueAlarmRadarZelPeak, BarSignZel,
                             LedStatusRadarZel, *TimerDisplayPeak}) {
    guard_.connect(Lists());
    MenuFileExit.setClickHandler([this] { MenuFileExit_Click(); });
    TimerGestConn->setTickHandler([this] { TimerGestConn_Timer(); });
    TimerDisplayPeak->setTickHandler([this] { TimerDisplayPeak_Timer(); });
    SetDesign();
}

FormRadarZel::~FormRadarZel() = default;

sensor::ParamLists FormRadarZel::Lists() {
    return {TreshRadarZel,      ValueTonReleZel,         VelSenseRadarZel,
            FilterLineRadarZel, FlagHighTrafficRadarZel, SelHeightRadarZel};
}

void FormRadarZel::ShowSensorWindow() {
    show();
}

void FormRadarZel::onLoad() {
    SetDesign();

    setOuterWidth(FrameParamZel.geometry().left + FrameParamZel.geometry().width +
                  kOuterWidthMargin);
    const auto& text = session_.texts;
    setCaption(text[kEntryWindowCaption]);
    MenuFileExit.setCaption(text[kEntryExit]);

    // From here on received frames go to this window's decoder.
    session_.activeWindow = link::ActiveWindow::Sensor;

    PrmSensitivity.setCaption(text[kEntrySensitivity]);
    ParTonRele.setCaption(text[kEntryRelayTime]);
    ParVel.setCaption(text[kEntrySpeed]);
    ParFilter.setCaption(text[kEntryFilter]);
    ParHighTrafic.setCaption(text[kEntryHighTraffic]);
    ParHeight.setCaption(text[kEntryHeight]);
    FrameParamZel.setCaption(text[kEntryParameters]);
    LabelSignal.setCaption(text[kEntrySignal]);

    FillParamLists(Lists(), text, host_.decimalSeparator());

    TimerGestConn->setInterval(kConversationTickMs);
    TimerGestConn->setEnabled(true);

    state_.ReadParamsPending = true;
    state_.StreamStartPending = true;
    // The first read and stream start leave now, not a tick later.
    conversation_.SensorTick();

    session_.endWithSensorWindow = true;
}

// Runs for every kind of close; it never cancels it.
void FormRadarZel::onUnload() {
    TimerGestConn->setEnabled(false);
    TimerDisplayPeak->setEnabled(false);

    const std::array<std::uint8_t, 1> stop{kStreamStop};
    sender_.send(link::Command::SetStreaming, stop, 1, true);

    if (returnToStart_) {
        returnToStart_();
    }
}

void FormRadarZel::MenuFileExit_Click() {
    unload();
}

void FormRadarZel::TimerGestConn_Timer() {
    conversation_.SensorTick();
}

void FormRadarZel::TimerDisplayPeak_Timer() {
    signal_.TimerDisplayPeak_Timer();
}

bool FormRadarZel::ShowParams(const link::MsgBytes& frame) {
    return presenter_.ShowParams(frame);
}

void FormRadarZel::ShowSignal(const link::MsgBytes& frame) {
    signal_.ShowSignal(frame);
}

void FormRadarZel::ShowHeight() {
    presenter_.ShowHeight();
}

void FormRadarZel::DrawArea(std::int16_t size) {
    sensorwin::DrawArea(PictureAreaRadarZel, AreaRadarZel, size);
}

}  // namespace quarn::sensorwin
