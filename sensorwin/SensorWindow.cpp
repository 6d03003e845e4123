#include "sensorwin/SensorWindow.h"

#include <algorithm>
#include <array>
#include <utility>

#include "sensorwin/AreaDrawing.h"
#include "sensorwin/ListContents.h"

namespace quarn::sensorwin {

namespace {

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
      conversation_(
          session, sender, memory_, state_,
          sensor::ConversationControls{
              parameterLists(), *conversationTimer, statusBar, [this] { unload(); },
              [this] { tellListeners([](SensorWindowListener& l) { l.parameterWriteSent(); }); }}),
      decoder_(session.identity, state_, *this, traffic),
      presenter_(ParameterFrameControls{parameterLists(), heightLabel, detectionAreaPicture,
                                        detectionArea},
                 memory_, session.texts),
      signal_(SignalColumnControls{levelValue, peakValue, levelBar, alarmLed, *peakHoldTimer},
              [this](std::int32_t peak) {
                  tellListeners([peak](SensorWindowListener& l) { l.peakShown(peak); });
              }) {
    guard_.connect(parameterLists());
    exitMenu.setClickHandler([this] { onExit(); });
    for (const SensorToolRow& row : kSensorTools) {
        toolsMenu.addItem(&toolMenuItem(row.tool));
        toolMenuItem(row.tool).setClickHandler([this, tool = row.tool] {
            if (toolOpener_) {
                toolOpener_(tool);
            }
        });
    }
    conversationTimer->setTickHandler([this] { onConversationTick(); });
    peakHoldTimer->setTickHandler([this] { onPeakHoldExpired(); });
    layOutControls();
}

SensorWindow::~SensorWindow() = default;

std::array<quarn::MenuItem, kSensorTools.size()> SensorWindow::makeToolMenuItems() {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<quarn::MenuItem, kSensorTools.size()>{
            quarn::MenuItem(kSensorTools[I].menuItemName)...};
    }
    (std::make_index_sequence<kSensorTools.size()>{});
}

void SensorWindow::addListener(SensorWindowListener& listener) {
    listeners_.push_back(&listener);
}

void SensorWindow::removeListener(SensorWindowListener& listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener),
                     listeners_.end());
}

sensor::ParameterLists SensorWindow::parameterLists() {
    std::array<quarn::ComboList*, sensor::kParameterCount> lists{};
    for (std::size_t i = 0; i < lists.size(); ++i) {
        lists[i] = &parameterControls_[i].list;
    }
    return sensor::ParameterLists(lists);
}

void SensorWindow::showSensorWindow() {
    show();
}

void SensorWindow::onLoad() {
    layOutControls();

    setOuterWidth(parametersFrame.geometry().left + parametersFrame.geometry().width +
                  kOuterWidthMargin);
    const texts::StringTableEntries& text = session_.texts;
    setCaption(texts::textOf(text, texts::StringId::SensorModelName));
    exitMenu.setCaption(texts::textOf(text, texts::StringId::ExitMenu));
    toolsMenu.setCaption(texts::textOf(text, texts::StringId::ToolsMenu));
    for (const SensorToolRow& row : kSensorTools) {
        toolMenuItem(row.tool).setCaption(texts::textOf(text, row.caption));
    }

    // From here on received frames go to this window's decoder.
    session_.activeWindow = link::ActiveWindow::Sensor;

    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        parameterCaption(row.parameter).setCaption(texts::textOf(text, row.caption));
    }
    parametersFrame.setCaption(texts::textOf(text, texts::StringId::ParametersCaption));
    signalCaption.setCaption(texts::textOf(text, texts::StringId::SignalCaption));

    fillParameterLists(parameterLists(), text, host_.decimalSeparator());

    conversationTimer->setInterval(kConversationTickMs);
    conversationTimer->setEnabled(true);

    state_.readParametersPending = true;
    state_.streamStartPending = true;
    // The first read and stream start leave now, not a tick later.
    conversation_.conversationTick();

    session_.endWithSensorWindow = true;
    tellListeners([](SensorWindowListener& l) { l.sensorWindowOpened(); });
}

// Runs for every kind of close; it never cancels it.
void SensorWindow::onUnload() {
    conversationTimer->setEnabled(false);
    peakHoldTimer->setEnabled(false);

    const std::array<std::uint8_t, 1> stop{kStreamStop};
    sender_.send(link::Command::SetStreaming, stop, 1, true);

    tellListeners([](SensorWindowListener& l) { l.sensorWindowClosed(); });
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

void SensorWindow::showParameters(const sensor::ParameterReply& reply) {
    presenter_.showParameters(reply);
    tellListeners([&](SensorWindowListener& l) { l.parametersShown(reply); });
}

void SensorWindow::showSignal(const sensor::SignalSample& sample) {
    signal_.showSignal(sample);
    tellListeners([&](SensorWindowListener& l) { l.signalShown(sample); });
}

void SensorWindow::writeAcknowledged() {
    tellListeners([](SensorWindowListener& l) { l.parameterWriteAcknowledged(); });
}

}  // namespace quarn::sensorwin
