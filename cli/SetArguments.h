#pragma once
// The NAME=VALUE words of the set command: names are the parameter file's
// keys, values its literals ("sensitivity=7", "reaction_speed=fast",
// "high_traffic=true", "installation_height_m=2.90"). They are checked by the
// parameter file's own reader: the sensor's current values and the new ones
// are written as a parameter file's text and read back, so a value is taken
// exactly when a file holding it would be.

#include <optional>
#include <string>
#include <vector>

#include "paramfile/ParameterFile.h"
#include "sensor/ParameterTable.h"

namespace quarn::cli {

struct Assignment {
    sensor::Parameter parameter = sensor::Parameter::Sensitivity;
    std::string literal;
};

struct AssignmentsResult {
    std::vector<Assignment> assignments;
    std::optional<std::string> error;  // the first bad word and why
};

// Splits the words; an unknown name, a word without "=", a name given twice
// or an empty value is an error.
AssignmentsResult parseAssignments(const std::vector<std::string>& words);

// `current` with the assigned values put in, as the file reader reads it;
// its error names the first value outside its domain. Every assigned
// parameter must be one the record's device carries.
paramfile::ReadResult assignValues(const paramfile::ParameterFile& current,
                                   const std::vector<Assignment>& assignments);

// A record of a sensor with every parameter at the value its list selects
// when the window loads: for checking the words before any sensor is known.
paramfile::ParameterFile placeholderRecord();

}  // namespace quarn::cli
