#include "workbench/ReportedParameters.h"

namespace quarn::workbench {

ReportedParameters::ReportedParameters(sensorwin::SensorWindow& window) : window_(window) {
    window_.addListener(*this);
}

ReportedParameters::~ReportedParameters() {
    window_.removeListener(*this);
}

// The decoder records the sensor behind a whole reply just after the window
// has shown it, so this is read when asked, not when the reply is shown.
const link::DeviceIdentity& ReportedParameters::sensor() const {
    return window_.conversation().listsReportedBy;
}

paramfile::ListIndices ReportedParameters::indices() const {
    paramfile::ListIndices indices{};
    if (state_ != ReportState::Reported) {
        return indices;
    }
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (sensor::carriedBy(row, sensor().firmwareVersion)) {
            indices[sensor::indexOf(row.parameter)] =
                window_.parameterMemory()[row.parameter].lastReported;
        }
    }
    return indices;
}

}  // namespace quarn::workbench
