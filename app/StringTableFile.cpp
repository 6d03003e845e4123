#include "app/StringTableFile.h"

#include <algorithm>
#include <cstddef>

#include "app/ApplicationFiles.h"
#include "app/ShellConstants.h"
#include "app/TextLines.h"
#include "platform/Cp1252.h"

namespace quarn::app {

namespace {

constexpr std::string_view kMarker = "#STRING";
constexpr std::int16_t kLastEntry = kStringTableEntries - 1;
// The text lines after one marker are counted in 16 bits.
constexpr std::int32_t kMaxLinesPerEntry = 32767;
// A real table is a few kilobytes; a file above this is refused rather than
// held in memory.
constexpr std::size_t kStringTableReadLimit = std::size_t{64} * 1024 * 1024;

// Splits off the next line: CR LF and a lone CR end it, a lone LF does not.
std::string_view takeTableLine(std::string_view& text) {
    const std::size_t end = std::min(text.find('\r'), text.size());
    const std::string_view line = text.substr(0, end);
    std::size_t next = end;
    if (next < text.size()) {
        ++next;
        if (next < text.size() && text[next] == '\n') {
            ++next;
        }
    }
    text.remove_prefix(next);
    return line;
}

}  // namespace

bool parseStringTable(std::string_view bytes, Language language, StringTableEntries& table) {
    const std::int16_t languageLine = lineOf(language);
    StringTableEntries result = table;
    std::int16_t currentEntry = 0;
    std::int32_t lineCounter = 0;
    while (!bytes.empty()) {
        const std::string_view line = takeTableLine(bytes);
        if (line.substr(0, kMarker.size()) == kMarker) {
            const auto number = parseInt16(line.substr(kMarker.size()));
            if (!number) {
                return false;
            }
            currentEntry = std::min(*number, kLastEntry);
            lineCounter = 0;
            continue;
        }
        if (lineCounter == languageLine) {
            if (currentEntry < 0) {
                return false;
            }
            result[static_cast<std::size_t>(currentEntry)] = cp1252ToUtf8(line);
        }
        if (lineCounter == kMaxLinesPerEntry) {
            return false;
        }
        ++lineCounter;
    }
    table = std::move(result);
    return true;
}

bool loadStringTable(const std::string& directory, Language language, StringTableEntries& table) {
    const auto bytes = readFileBytes(applicationFilePath(directory, kStringTableFileName),
                                     kStringTableReadLimit + 1);
    if (!bytes || bytes->size() > kStringTableReadLimit) {
        return false;
    }
    return parseStringTable(*bytes, language, table);
}

}  // namespace quarn::app
