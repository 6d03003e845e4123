#pragma once
// One running application with its windows: the application's models, the
// sensor window plugged into it, and the Qt windows that show them. The
// driver, timer service and host belong to the caller and must outlive this
// object; the windows are destroyed before the models they show.

#include <memory>

#include "app/Application.h"
#include "gui/AboutWindowView.h"
#include "gui/SensorWindowView.h"
#include "gui/StartWindowView.h"
#include "gui/ToolWindows.h"
#include "gui/TrafficMonitorView.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::gui {

class GuiApplication {
  public:
    GuiApplication(D2xxDriver& driver, TimerService& timers, HostServices& host,
                   DevLog* log = nullptr);
    GuiApplication(const GuiApplication&) = delete;
    GuiApplication& operator=(const GuiApplication&) = delete;
    ~GuiApplication();

    // Runs the start-up sequence (the start window loads and shows), then
    // shows the traffic monitor when asked to.
    void start(bool showMonitor);
    // True once the start window has shut down (also during start-up).
    bool ended() const;

    app::Application& application() { return *application_; }
    sensorwin::SensorWindow& sensorWindow() { return *sensorWindow_; }

    StartWindowView& startWindowView() { return *startWindowView_; }
    AboutWindowView& aboutWindowView() { return *aboutWindowView_; }
    TrafficMonitorView& trafficMonitorView() { return *trafficMonitorView_; }
    SensorWindowView& sensorWindowView() { return *sensorWindowView_; }
    ToolWindows& toolWindows() { return *toolWindows_; }

  private:
    std::unique_ptr<app::Application> application_;
    std::unique_ptr<sensorwin::SensorWindow> sensorWindow_;
    std::unique_ptr<ToolWindows> toolWindows_;
    std::unique_ptr<StartWindowView> startWindowView_;
    std::unique_ptr<AboutWindowView> aboutWindowView_;
    std::unique_ptr<TrafficMonitorView> trafficMonitorView_;
    std::unique_ptr<SensorWindowView> sensorWindowView_;
};

}  // namespace quarn::gui
