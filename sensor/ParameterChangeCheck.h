#pragma once
// Change detection: does any list show a selection other than the one the
// sensor last reported, while the technician is not busy with that list?

#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"

namespace quarn::sensor {

// True when at least one list differs from its last reported index while its
// edit flag is down. Every list counts, whatever the sensor's firmware: a
// height list that a reply left off its last reported index leads to a write.
bool parametersChanged(const ParameterLists& lists, const ParameterMemory& memory);

}  // namespace quarn::sensor
