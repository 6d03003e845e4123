#pragma once
// The user-interface language. Its value is the position of the language's
// line inside every entry of the string table, so a table with more lines per
// entry carries more languages; the program itself only ever chooses Italian
// or English, but a value read from the settings file is kept as it is.

#include <cstdint>

namespace quarn::app {

enum class Language : std::int16_t {
    Italian = 0,
    English = 1,
};

// The language whose texts are on the given line of every entry.
constexpr Language languageAtLine(std::int16_t line) {
    return static_cast<Language>(line);
}

// The line of every entry that holds the language's text.
constexpr std::int16_t lineOf(Language language) {
    return static_cast<std::int16_t>(language);
}

}  // namespace quarn::app
