#include "gui/ToolWindows.h"

namespace quarn::gui {

ToolWindows::ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow)
    : app_(app),
      sensorWindow_(sensorWindow),
      historyClock_(app.timers()),
      signalHistory_(historyClock_, app.host(),
                     [&sensorWindow] { return sensorWindow.heldPeak(); }),
      signalHistoryWindow_(signalHistory_, app.state().texts),
      signalHistoryWindowView_(std::make_unique<SignalHistoryWindowView>(signalHistoryWindow_)) {
    sensorWindow_.addListener(signalHistory_);
}

ToolWindows::~ToolWindows() {
    sensorWindow_.removeListener(signalHistory_);
    // The view goes while its model still exists.
    signalHistoryWindowView_.reset();
}

void ToolWindows::open(sensorwin::SensorTool tool, QWidget* owner) {
    switch (tool) {
        case sensorwin::SensorTool::SignalHistory:
            openSignalHistory(owner);
            break;
        case sensorwin::SensorTool::WalkTest:
            openWalkTest(owner);
            break;
        case sensorwin::SensorTool::SaveParameters:
            saveParameters(owner);
            break;
        case sensorwin::SensorTool::LoadParameters:
            loadParameters(owner);
            break;
        case sensorwin::SensorTool::ChangeLog:
            openChangeLog(owner);
            break;
        case sensorwin::SensorTool::ServiceReport:
            writeServiceReport(owner);
            break;
    }
}

// --- Signal history ----------------------------------------------------------

void ToolWindows::openSignalHistory(QWidget* /*owner*/) {
    signalHistoryWindow_.open();
    signalHistoryWindowView_->raise();
}

// --- Walk test ----------------------------------------------------------------

void ToolWindows::openWalkTest(QWidget* /*owner*/) {}

// --- Parameter backup and restore --------------------------------------------

void ToolWindows::saveParameters(QWidget* /*owner*/) {}

void ToolWindows::loadParameters(QWidget* /*owner*/) {}

// --- Change log and service report --------------------------------------------

void ToolWindows::openChangeLog(QWidget* /*owner*/) {}

void ToolWindows::writeServiceReport(QWidget* /*owner*/) {}

}  // namespace quarn::gui
