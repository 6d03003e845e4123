#include "paramfile/FileComparison.h"

#include <algorithm>

#include "paramfile/FileKeys.h"

namespace quarn::paramfile {
namespace {

std::optional<std::int16_t> listIndexOrNothing(sensor::Parameter parameter,
                                               const std::optional<std::int16_t>& index) {
    if (index && isListIndex(parameter, *index)) {
        return index;
    }
    return std::nullopt;
}

}  // namespace

bool FileComparison::changesSensor() const {
    return std::any_of(parameters.begin(), parameters.end(), [](const ParameterComparison& row) {
        return row.agreement == Agreement::Differs;
    });
}

FileComparison compareWithSensor(const ParameterFile& file, const ListIndices& sensorIndices,
                                 const link::DeviceIdentity& sensor) {
    const bool zelSensor = sensor.type == link::kZelDeviceType;
    FileComparison comparison;
    comparison.serialDiffers = file.device.serial != sensor.serial;
    comparison.canApply = zelSensor;
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        const std::size_t i = sensor::indexOf(row.parameter);
        ParameterComparison& compared = comparison.parameters[i];
        compared.parameter = row.parameter;
        compared.fileIndex = listIndexOrNothing(row.parameter, file.listIndex[i]);
        const bool carried = zelSensor && sensor::carriedBy(row, sensor.firmwareVersion);
        if (!carried) {
            compared.agreement = Agreement::NotApplicable;
            continue;
        }
        compared.sensorIndex = listIndexOrNothing(row.parameter, sensorIndices[i]);
        if (!compared.fileIndex) {
            compared.agreement = Agreement::NotInFile;
            comparison.toApply[i] = compared.sensorIndex;
        } else {
            compared.agreement =
                compared.fileIndex == compared.sensorIndex ? Agreement::Same : Agreement::Differs;
            comparison.toApply[i] = compared.fileIndex;
        }
        comparison.canApply = comparison.canApply && comparison.toApply[i].has_value();
    }
    return comparison;
}

}  // namespace quarn::paramfile
