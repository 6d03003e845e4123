#pragma once
// The Tools menu of the sensor window: the workbench models, which keep
// their records for the whole run whether their windows are shown or not,
// and the Qt windows that show them.

#include <memory>

#include "app/Application.h"
#include "gui/ParameterRestoreWindowView.h"
#include "sensorwin/SensorTools.h"
#include "sensorwin/SensorWindow.h"
#include "workbench/ParameterBackup.h"
#include "workbench/ParameterRestoreWindow.h"
#include "workbench/ReportedParameters.h"

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

    workbench::ParameterBackup& parameterBackup() { return parameterBackup_; }
    workbench::ParameterRestoreWindow& restoreWindow() { return restoreWindow_; }
    ParameterRestoreWindowView& restoreWindowView() { return restoreWindowView_; }

    // What the menu item of `tool` does.
    void open(sensorwin::SensorTool tool, QWidget* owner);

  private:
    void openSignalHistory(QWidget* owner);

    void openWalkTest(QWidget* owner);

    void saveParameters(QWidget* owner);

    void loadParameters(QWidget* owner);

    void openChangeLog(QWidget* owner);

    void writeServiceReport(QWidget* owner);

    app::Application& app_;
    sensorwin::SensorWindow& sensorWindow_;

    // Parameter backup and restore; the view goes before its model.
    workbench::ReportedParameters reportedParameters_{sensorWindow_};
    workbench::ParameterBackup parameterBackup_{reportedParameters_, app_.state(), app_.host()};
    workbench::ParameterRestoreWindow restoreWindow_{
        sensorWindow_, app_.state(), reportedParameters_, app_.timers(), app_.host()};
    ParameterRestoreWindowView restoreWindowView_{restoreWindow_};
};

}  // namespace quarn::gui
