#pragma once
// The signal history as a CSV file: a header line, then one line per kept
// sample, oldest first: the local time with milliseconds and the offset
// from UTC, the milliseconds since the sensor window opened, the level and
// the alarm output as 0 or 1. Numbers are written the same way whatever the
// user's decimal separator, so that any program reads the file alike.

#include <cstddef>
#include <optional>
#include <string>

#include "app/ApplicationFiles.h"
#include "workbench/SignalHistory.h"

namespace quarn::workbench {

inline constexpr char kHistoryCsvHeader[] = "time,ms_since_open,level,alarm";

// "2026-12-07T15:30:00.050+01:00"; empty when the system cannot express
// the time locally.
std::string isoLocalTimeMs(std::chrono::system_clock::time_point when);

std::string historyCsvText(const SignalHistory& history);

struct CsvExportResult {
    std::size_t sampleLines = 0;             // lines written after the header
    std::optional<app::ReplaceError> error;  // set when nothing was written
    bool ok() const { return !error.has_value(); }
};

// Writes the whole kept history to the file (UTF-8 path), replacing it only
// once the new file is complete.
CsvExportResult exportHistoryCsv(const SignalHistory& history, const std::string& utf8Path);

}  // namespace quarn::workbench
