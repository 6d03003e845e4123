#include "gui/ToolWindows.h"

#include <QWidget>

namespace quarn::gui {

ToolWindows::ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow)
    : app_(app),
      sensorWindow_(sensorWindow),
      walkTest_(app.state(), alarmTone_),
      walkTestView_(std::make_unique<WalkTestWindowView>(walkTest_)) {
    sensorWindow_.addListener(walkTest_);
}

ToolWindows::~ToolWindows() {
    sensorWindow_.removeListener(walkTest_);
    walkTestView_.reset();
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

void ToolWindows::openSignalHistory(QWidget* /*owner*/) {}

// --- Walk test ----------------------------------------------------------------

// Beside the sensor window, not modal: the technician keeps both in view.
void ToolWindows::openWalkTest(QWidget* /*owner*/) {
    walkTest_.show();
    if (QWidget* window = walkTestView_->widget()) {
        window->raise();
        window->activateWindow();
    }
}

// --- Parameter backup and restore --------------------------------------------

void ToolWindows::saveParameters(QWidget* /*owner*/) {}

void ToolWindows::loadParameters(QWidget* /*owner*/) {}

// --- Change log and service report --------------------------------------------

void ToolWindows::openChangeLog(QWidget* /*owner*/) {}

void ToolWindows::writeServiceReport(QWidget* /*owner*/) {}

}  // namespace quarn::gui
