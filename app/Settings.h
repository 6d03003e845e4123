#pragma once
// The settings file QuarnSoft.prm in the application directory: a quoted
// header line and the language index, each line ended by CR LF. Reading and
// writing never fail and never show anything; a damaged file gives defaults.

#include <cstdint>
#include <string>
#include <string_view>

namespace quarn::app {

// The language index stored in the file's bytes: 1 (English) when the first
// line is not the header, 0 (Italian) when the header is there but the second
// line does not hold a number from -32768 to 32767. A fraction is rounded to
// the nearest integer, a half to the even neighbour.
std::int16_t settingsFromText(std::string_view bytes);

// The exact bytes of the file for a language index.
std::string settingsText(std::int16_t selLanguage);

// Reads the file in directory; a missing or unreadable file gives 1.
std::int16_t loadSettings(const std::string& directory);

// Writes the file in directory. The bytes go to a temporary file beside it,
// which then replaces the old file, so a failed write never leaves a
// truncated settings file. On any error nothing changes and nothing is shown.
void saveSettings(const std::string& directory, std::int16_t selLanguage);

}  // namespace quarn::app
