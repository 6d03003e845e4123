#pragma once
// The Tools menu of the sensor window: the workbench models, which keep
// their records for the whole run whether their windows are shown or not,
// and the Qt windows that show them.

#include <memory>

#include "app/Application.h"
#include "gui/SystemBeepTone.h"
#include "gui/WalkTestWindowView.h"
#include "sensorwin/SensorTools.h"
#include "sensorwin/SensorWindow.h"
#include "workbench/WalkTestWindow.h"

class QWidget;

namespace quarn::gui {

class ToolWindows {
  public:
    // The application and the sensor window must outlive this object.
    // `owner` is the sensor window's Qt window, parent of the dialogs.
    ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow);
    ToolWindows(const ToolWindows&) = delete;
    ToolWindows& operator=(const ToolWindows&) = delete;
    ~ToolWindows();

    // What the menu item of `tool` does.
    void open(sensorwin::SensorTool tool, QWidget* owner);

    workbench::WalkTestWindow& walkTest() { return walkTest_; }
    WalkTestWindowView& walkTestView() { return *walkTestView_; }

  private:
    void openSignalHistory(QWidget* owner);

    void openWalkTest(QWidget* owner);

    void saveParameters(QWidget* owner);

    void loadParameters(QWidget* owner);

    void openChangeLog(QWidget* owner);

    void writeServiceReport(QWidget* owner);

    app::Application& app_;
    sensorwin::SensorWindow& sensorWindow_;

    SystemBeepTone alarmTone_;
    workbench::WalkTestWindow walkTest_;
    std::unique_ptr<WalkTestWindowView> walkTestView_;
};

}  // namespace quarn::gui
