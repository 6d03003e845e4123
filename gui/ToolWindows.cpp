#include "gui/ToolWindows.h"

namespace quarn::gui {

ToolWindows::ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow)
    : app_(app), sensorWindow_(sensorWindow) {}

ToolWindows::~ToolWindows() = default;

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

void ToolWindows::openWalkTest(QWidget* /*owner*/) {}

// --- Parameter backup and restore --------------------------------------------

void ToolWindows::saveParameters(QWidget* /*owner*/) {}

void ToolWindows::loadParameters(QWidget* /*owner*/) {}

// --- Change log and service report --------------------------------------------

void ToolWindows::openChangeLog(QWidget* /*owner*/) {}

void ToolWindows::writeServiceReport(QWidget* /*owner*/) {}

}  // namespace quarn::gui
