#pragma once
// The items of the six parameter lists and their selections when the sensor
// window loads.

#include <string>

#include "sensor/ParameterLists.h"
#include "texts/StringTable.h"

namespace quarn::sensorwin {

// i x 0.5 seconds as the user writes numbers, without trailing zeros:
// "0,5", "1", "1,5" ... with the separator ",".
std::string relayTimeText(int i, const std::string& decimalSeparator);

// Empties and refills every list in order, selecting each list's load item
// straight after its items (which raises the list's Click event).
void fillParamLists(const sensor::ParameterLists& lists, const texts::StringTableEntries& strings,
                    const std::string& decimalSeparator);

}  // namespace quarn::sensorwin
