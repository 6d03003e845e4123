#pragma once
// A parameter file set against the sensor it is about to be applied to:
// for each parameter the sensor's value beside the file's and how they
// agree, whether the file comes from another sensor, and the list indices
// that applying the file writes. Applying writes only values that the file
// gives or that the sensor reported itself.

#include <array>
#include <cstdint>
#include <optional>

#include "link/DeviceIdentity.h"
#include "paramfile/ParameterFile.h"
#include "sensor/ParameterTable.h"

namespace quarn::paramfile {

enum class Agreement {
    Same,           // the file holds the sensor's value
    Differs,        // the file holds another value (or the sensor has not reported one)
    NotApplicable,  // the sensor does not carry the parameter: the file's value is shown, never
                    // written
    NotInFile,      // the file leaves the parameter out: the sensor's value stays
};

struct ParameterComparison {
    sensor::Parameter parameter = sensor::Parameter::Sensitivity;
    std::optional<std::int16_t> sensorIndex;  // as reported; nothing when not carried or not known
    std::optional<std::int16_t> fileIndex;
    Agreement agreement = Agreement::Same;
};

struct FileComparison {
    std::array<ParameterComparison, sensor::kParameterCount> parameters;
    // The file was saved from a sensor with another serial number: allowed,
    // and worth saying before the values are applied.
    bool serialDiffers = false;
    // For each parameter the sensor carries, the file's index where the file
    // gives one, the sensor's otherwise; nothing for the others.
    ListIndices toApply;
    // The sensor is the Zel sensor and every parameter it carries has an
    // index to apply: none is both missing from the file and unreported.
    bool canApply = false;

    // Whether applying the file changes any of the sensor's values.
    bool changesSensor() const;
};

// `sensorIndices` are the indices the sensor last reported, nothing where it
// has not; `sensor` is its identity, which says the parameters it carries.
// An index outside its list, on either side, counts as no index.
FileComparison compareWithSensor(const ParameterFile& file, const ListIndices& sensorIndices,
                                 const link::DeviceIdentity& sensor);

}  // namespace quarn::paramfile
