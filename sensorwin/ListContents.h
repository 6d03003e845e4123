#pragma once
// The items of the parameter lists and their selections when the sensor
// window loads, as the parameter table describes them.

#include <string>
#include <vector>

#include "sensor/ParameterLists.h"
#include "sensor/ParameterTable.h"
#include "texts/StringTable.h"

namespace quarn::sensorwin {

// halfSeconds x 0.5 seconds as the user writes numbers, without trailing
// zeros: "0,5", "1", "1,5" ... with the separator ",".
std::string halfSecondsText(int halfSeconds, const std::string& decimalSeparator);

// The items of one parameter's list, in list order.
std::vector<std::string> listItems(const sensor::ParameterRow& row,
                                   const texts::StringTableEntries& strings,
                                   const std::string& decimalSeparator);

// The item at `index` of the parameter's list: the value in words as the
// list shows it; empty for an index outside the items.
std::string itemText(sensor::Parameter parameter, std::int16_t index,
                     const texts::StringTableEntries& strings, const std::string& decimalSeparator);

// Empties and refills every list in table order, selecting each list's load
// item straight after its items (which raises the list's Click event).
void fillParameterLists(const sensor::ParameterLists& lists,
                        const texts::StringTableEntries& strings,
                        const std::string& decimalSeparator);

}  // namespace quarn::sensorwin
