#pragma once
// The string table file StringTable.txt: numbered entries, each a marker line
// "#STRING <n>" followed by one line per language. Lines end with CR LF or a
// lone CR (a lone LF belongs to the text). Bytes are Windows-1252; the table
// holds them as UTF-8.

#include <string>
#include <string_view>

#include "app/ApplicationState.h"
#include "app/Language.h"

namespace quarn::app {

// Puts the line of the given language of every entry in bytes into table;
// entries the bytes do not provide keep their text. Returns false when the
// bytes are not a valid table: a marker whose number is missing or outside
// -32768..32767, a negative entry with a line for the language, or 32768 or
// more text lines after one marker. On false the table is left unchanged.
bool parseStringTable(std::string_view bytes, Language language, StringTableEntries& table);

// Reads StringTable.txt in directory and parses it as above. Returns false
// also when the file cannot be read.
bool loadStringTable(const std::string& directory, Language language, StringTableEntries& table);

}  // namespace quarn::app
