#pragma once
// Text from outside the program made fit for the report: strings read from a
// USB device or a library shown on one line without control characters, and
// paths quoted so that a fix command can be pasted into a shell as it is.

#include <string>
#include <string_view>

namespace quarn::diagnosis {

// Printable ASCII is kept; every other byte is shown as \xNN, so a
// description cannot break a line or send escape sequences to the terminal.
std::string printable(std::string_view text);

// The word as it is when it holds only characters a shell leaves alone,
// otherwise in single quotes (a single quote inside written as '\'').
std::string shellWord(std::string_view word);

}  // namespace quarn::diagnosis
