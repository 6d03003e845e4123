#pragma once
// The Tools menu of the sensor window: the workbench models, which keep
// their records for the whole run whether their windows are shown or not,
// and the Qt windows that show them.

#include <memory>

#include "app/Application.h"
#include "gui/HistoryClock.h"
#include "gui/SignalHistoryWindowView.h"
#include "sensorwin/SensorTools.h"
#include "sensorwin/SensorWindow.h"
#include "workbench/SignalHistory.h"
#include "workbench/SignalHistoryWindow.h"

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

    workbench::SignalHistory& signalHistory() { return signalHistory_; }
    workbench::SignalHistoryWindow& signalHistoryWindow() { return signalHistoryWindow_; }
    SignalHistoryWindowView& signalHistoryWindowView() { return *signalHistoryWindowView_; }

  private:
    void openSignalHistory(QWidget* owner);

    void openWalkTest(QWidget* owner);

    void saveParameters(QWidget* owner);

    void loadParameters(QWidget* owner);

    void openChangeLog(QWidget* owner);

    void writeServiceReport(QWidget* owner);

    app::Application& app_;
    sensorwin::SensorWindow& sensorWindow_;

    // Signal history: kept from the start, shown on demand.
    HistoryClock historyClock_;
    workbench::SignalHistory signalHistory_;
    workbench::SignalHistoryWindow signalHistoryWindow_;
    std::unique_ptr<SignalHistoryWindowView> signalHistoryWindowView_;
};

}  // namespace quarn::gui
