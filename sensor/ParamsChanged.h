#pragma once
// Change detection: does any list show a selection other than the one the
// sensor last reported, while the technician is not busy with that list?

#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"

namespace quarn::sensor {

// True when at least one of the six lists (the height list included, whatever
// the firmware) differs from its last-value field and its edit flag is down.
bool paramsChanged(const ParameterLists& lists, const ParameterMemory& params);

}  // namespace quarn::sensor
