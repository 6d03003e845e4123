#include "gui/GuiApplication.h"

namespace quarn::qt {

GuiApplication::GuiApplication(D2xxDriver& driver, TimerService& timers, HostServices& host)
    : app_(std::make_unique<app::Application>(driver, timers, host)) {
    formRadarZel_ = std::make_unique<sensorwin::SensorWindow>(app_->state(), app_->sender(),
                                                              app_->trafficMonitor(), timers, host,
                                                              [this] { app_->returnToStart(); });
    app_->setSensorWindow(formRadarZel_.get(), &formRadarZel_->replyDecoder());
    startWindow_ =
        std::make_unique<StartWindowView>(app_->formStart(), [this] { app_->showMonitor(); });
    aboutWindow_ = std::make_unique<AboutWindowView>(app_->formAbout(), startWindow_.get());
    debugWindow_ = std::make_unique<TrafficMonitorView>(app_->trafficMonitor());
    radarZelWindow_ = std::make_unique<SensorWindowView>(*formRadarZel_);
}

GuiApplication::~GuiApplication() {
    // Windows first: their views still look at the models while they go.
    radarZelWindow_.reset();
    debugWindow_.reset();
    aboutWindow_.reset();
    startWindow_.reset();
    app_->setSensorWindow(nullptr, nullptr);
    formRadarZel_.reset();
    app_.reset();
}

void GuiApplication::start(bool showMonitor) {
    app_->start();
    if (showMonitor && !app_->ended()) {
        app_->showMonitor();
    }
}

bool GuiApplication::ended() const {
    return app_->ended();
}

}  // namespace quarn::qt
