#pragma once
// The sensor window's Tools menu: the windows a technician opens beside the
// sensor window, one row each with the name of its menu item and its text.

#include <array>
#include <cstddef>

#include "texts/StringTable.h"

namespace quarn::sensorwin {

enum class SensorTool : std::size_t {
    SignalHistory,
    WalkTest,
    SaveParameters,
    LoadParameters,
    ChangeLog,
    ServiceReport,
};

struct SensorToolRow {
    SensorTool tool;
    const char* menuItemName;  // the menu item's control name
    texts::StringId caption;
};

inline constexpr std::array<SensorToolRow, 6> kSensorTools = {{
    {SensorTool::SignalHistory, "signalHistoryMenuItem", texts::StringId::SignalHistoryMenuItem},
    {SensorTool::WalkTest, "walkTestMenuItem", texts::StringId::WalkTestMenuItem},
    {SensorTool::SaveParameters, "saveParametersMenuItem", texts::StringId::SaveParametersMenuItem},
    {SensorTool::LoadParameters, "loadParametersMenuItem", texts::StringId::LoadParametersMenuItem},
    {SensorTool::ChangeLog, "changeLogMenuItem", texts::StringId::ChangeLogMenuItem},
    {SensorTool::ServiceReport, "serviceReportMenuItem", texts::StringId::ServiceReportMenuItem},
}};

constexpr bool toolsInOrder() {
    for (std::size_t i = 0; i < kSensorTools.size(); ++i) {
        if (static_cast<std::size_t>(kSensorTools[i].tool) != i) {
            return false;
        }
    }
    return true;
}
static_assert(toolsInOrder(), "kSensorTools rows must follow SensorTool's order");

constexpr std::size_t indexOf(SensorTool tool) {
    return static_cast<std::size_t>(tool);
}

}  // namespace quarn::sensorwin
