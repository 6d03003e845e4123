#pragma once
// The settings file QuarnSoft.prm in a given folder (app/FilePlaces.h says
// which): a quoted header line and the language, each line ended by CR LF.
// Reading and writing never fail and never show anything; a damaged file
// gives defaults.

#include <string>
#include <string_view>

#include "app/Language.h"

namespace quarn::app {

// The language stored in the file's bytes: English when the first line is
// not the header, Italian when the header is there but the second line does
// not hold a number from -32768 to 32767. A fraction is rounded to the
// nearest integer, a half to the even neighbour. Any number is kept, also
// one that names no language the program offers.
Language settingsFromText(std::string_view bytes);

// The exact bytes of the file for a language.
std::string settingsText(Language language);

// Reads the file in directory; a missing or unreadable file gives English.
Language loadSettings(const std::string& directory);

// Writes the file in directory. The bytes go to a temporary file beside it,
// which then replaces the old file, so a failed write never leaves a
// truncated settings file. A read-only file is left as it is; a symbolic
// link stays a link to the replaced file. On any error nothing changes and
// nothing is shown.
void saveSettings(const std::string& directory, Language language);

}  // namespace quarn::app
