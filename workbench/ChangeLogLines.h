#pragma once
// The change log in words: one line per entry, values as the lists show
// them, in the language and with the decimal separator of the moment they
// are shown.

#include <string>
#include <vector>

#include "texts/StringTable.h"
#include "workbench/ChangeLog.h"

namespace quarn::workbench {

// The texts and number notation lines are written in.
struct TextContext {
    const texts::StringTableEntries& strings;
    std::string decimalSeparator;
};

// "14:05:09  Sensitivity: 5 → 7, acknowledged, verified by read-back", or
// for a refused value "14:05:09  Sensitivity: the sensor reports 12, ...".
std::string changeLogLine(const ChangeLogEntry& entry, const TextContext& context);

// Every entry's line, oldest first; a single line saying so when there is
// none.
std::vector<std::string> changeLogLines(const ChangeLog& log, const TextContext& context);

// The tooltip of a list that could not take the value the sensor reports.
std::string refusedValueToolTip(std::uint8_t wireValue, const texts::StringTableEntries& strings);

// The parameter's value at `index` as its list shows it.
std::string valueText(sensor::Parameter parameter, std::int16_t index, const TextContext& context);

// Local wall-clock time: "14:05:09", and "2026-12-07 14:05:09" (empty
// when the system cannot express it).
std::string timeOfDayText(WallTime when);
std::string dateTimeText(WallTime when);

}  // namespace quarn::workbench
