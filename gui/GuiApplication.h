#pragma once
// One running application with its windows: the application's models, the
// sensor window plugged into it, and the Qt windows that show them. The driver, timer service and
// host belong to the caller and must outlive this object; the windows are destroyed before the
// models they show.

#include <memory>

#include "app/Application.h"
#include "gui/AboutWindow.h"
#include "gui/DebugWindow.h"
#include "gui/RadarZelWindow.h"
#include "gui/StartWindow.h"
#include "platform/D2xxDriver.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "sensorwin/FormRadarZel.h"

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
    StartWindow& startWindow() { return *startWindow_; }
    AboutWindow& aboutWindow() { return *aboutWindow_; }
    DebugWindow& debugWindow() { return *debugWindow_; }
    sensorwin::FormRadarZel& formRadarZel() { return *formRadarZel_; }
    RadarZelWindow& radarZelWindow() { return *radarZelWindow_; }

  private:
    std::unique_ptr<app::Application> app_;
    std::unique_ptr<sensorwin::FormRadarZel> formRadarZel_;
    std::unique_ptr<StartWindow> startWindow_;
    std::unique_ptr<AboutWindow> aboutWindow_;
    std::unique_ptr<DebugWindow> debugWindow_;
    std::unique_ptr<RadarZelWindow> radarZelWindow_;
};

}  // namespace quarn::qt
