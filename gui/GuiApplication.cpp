#include "gui/GuiApplication.h"

namespace quarn::gui {

GuiApplication::GuiApplication(D2xxDriver& driver, TimerService& timers, HostServices& host,
                               DevLog* log)
    : application_(std::make_unique<app::Application>(driver, timers, host, log)) {
    app::Application& app = *application_;
    sensorWindow_ =
        std::make_unique<sensorwin::SensorWindow>(app.state(), app.sender(), app.trafficMonitor(),
                                                  timers, host, [&app] { app.returnToStart(); });
    app.setSensorWindow(sensorWindow_.get(), &sensorWindow_->replyDecoder());
    startWindowView_ =
        std::make_unique<StartWindowView>(app.startWindow(), [&app] { app.showMonitor(); });
    aboutWindowView_ = std::make_unique<AboutWindowView>(app.aboutWindow(), startWindowView_.get());
    trafficMonitorView_ = std::make_unique<TrafficMonitorView>(app.trafficMonitor());
    sensorWindowView_ = std::make_unique<SensorWindowView>(*sensorWindow_);
    toolWindows_ = std::make_unique<ToolWindows>(app, *sensorWindow_);
    sensorWindow_->setToolOpener([this](sensorwin::SensorTool tool) {
        toolWindows_->open(tool, sensorWindowView_->widget());
    });
}

GuiApplication::~GuiApplication() {
    // Windows first: their views still look at the models while they go.
    sensorWindow_->setToolOpener({});
    toolWindows_.reset();
    sensorWindowView_.reset();
    trafficMonitorView_.reset();
    aboutWindowView_.reset();
    startWindowView_.reset();
    application_->setSensorWindow(nullptr, nullptr);
    sensorWindow_.reset();
    application_.reset();
}

void GuiApplication::start(bool showMonitor) {
    application_->start();
    if (showMonitor && !application_->ended()) {
        application_->showMonitor();
    }
}

bool GuiApplication::ended() const {
    return application_->ended();
}

}  // namespace quarn::gui
