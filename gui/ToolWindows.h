#pragma once
// The Tools menu of the sensor window: the workbench models, which keep
// their records for the whole run whether their windows are shown or not,
// and the Qt windows that show them.

#include <memory>

#include "app/Application.h"
#include "gui/ChangeLogWindowView.h"
#include "gui/ParameterRestoreWindowView.h"
#include "gui/ServiceReportPdf.h"
#include "gui/SignalHistoryWindowView.h"
#include "gui/SystemBeepTone.h"
#include "gui/WalkTestWindowView.h"
#include "sensorwin/SensorTools.h"
#include "sensorwin/SensorWindow.h"
#include "workbench/ChangeLog.h"
#include "workbench/ChangeLogWindow.h"
#include "workbench/ParameterBackup.h"
#include "workbench/ParameterRestoreWindow.h"
#include "workbench/ReportedParameters.h"
#include "workbench/SignalHistory.h"
#include "workbench/SignalHistoryWindow.h"
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

    workbench::ParameterBackup& parameterBackup() { return parameterBackup_; }
    workbench::ParameterRestoreWindow& restoreWindow() { return restoreWindow_; }
    ParameterRestoreWindowView& restoreWindowView() { return restoreWindowView_; }

    // What the menu item of `tool` does.
    void open(sensorwin::SensorTool tool, QWidget* owner);

    workbench::ChangeLog& changeLog() { return changeLog_; }
    workbench::ChangeLogWindow& changeLogWindow() { return changeLogWindow_; }
    ChangeLogWindowView& changeLogView() { return *changeLogView_; }
    workbench::SignalHistory& signalHistory() { return signalHistory_; }
    workbench::SignalHistoryWindow& signalHistoryWindow() { return signalHistoryWindow_; }
    SignalHistoryWindowView& signalHistoryWindowView() { return *signalHistoryWindowView_; }
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

    // Parameter backup and restore; the view goes before its model.
    workbench::ReportedParameters reportedParameters_{sensorWindow_};
    workbench::ParameterBackup parameterBackup_{reportedParameters_, app_.state(), app_.host()};
    workbench::ParameterRestoreWindow restoreWindow_{
        sensorWindow_, app_.state(), reportedParameters_, app_.timers(), app_.host()};
    ParameterRestoreWindowView restoreWindowView_{restoreWindow_};
    // Change log and service report.
    workbench::ChangeLog changeLog_;
    workbench::ChangeLogWindow changeLogWindow_;
    std::unique_ptr<ChangeLogWindowView> changeLogView_;
    ReportDrawing drawSignalChart_;  // the signal history's chart
    // Signal history: kept from the start, shown on demand.
    workbench::SignalHistory signalHistory_;
    workbench::SignalHistoryWindow signalHistoryWindow_;
    std::unique_ptr<SignalHistoryWindowView> signalHistoryWindowView_;
    SystemBeepTone alarmTone_;
    workbench::WalkTestWindow walkTest_;
    std::unique_ptr<WalkTestWindowView> walkTestView_;
};

}  // namespace quarn::gui
