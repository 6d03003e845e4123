#pragma once
// One running application with its windows: the application's models, the
// sensor window plugged into it, and the Qt windows that show them. The driver, timer service and
// host belong to the caller and must outlive this object; the windows are destroyed before the
// models they show.

#include <memory>

#include "app/Application.h"
#include "gui/AboutWindowView.h"
#include "gui/SensorWindowView.h"
#include "gui/StartWindowView.h"
#include "gui/TrafficMonitorView.h"
#include "platform/D2xxDriver.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::qt {

class GuiApplication {
  public:
    GuiApplication(D2xxDriver& driver, TimerService& timers, HostServices& host);
    GuiApplication(const GuiApplication&) = delete;
    GuiApplication& operator=(const GuiApplication&) = delete;
    ~GuiApplication();

    // Runs the start-up sequence (the main window loads and shows), then
    // shows the traffic monitor when asked to.
    void start(bool showMonitor);
    // True once the main window has shut down (also during start-up).
    bool ended() const;

    app::Application& application() { return *app_; }
    StartWindowView& startWindow() { return *startWindow_; }
    AboutWindowView& aboutWindow() { return *aboutWindow_; }
    TrafficMonitorView& debugWindow() { return *debugWindow_; }
    sensorwin::SensorWindow& formRadarZel() { return *formRadarZel_; }
    SensorWindowView& radarZelWindow() { return *radarZelWindow_; }

  private:
    std::unique_ptr<app::Application> app_;
    std::unique_ptr<sensorwin::SensorWindow> formRadarZel_;
    std::unique_ptr<StartWindowView> startWindow_;
    std::unique_ptr<AboutWindowView> aboutWindow_;
    std::unique_ptr<TrafficMonitorView> debugWindow_;
    std::unique_ptr<SensorWindowView> radarZelWindow_;
};

}  // namespace quarn::qt
