#pragma once
// Reading fields and numbers out of the lines of the shell's text files, as
// a line-oriented text reader does: a first field that may be quoted, and
// numbers with blanks around them.

#include <cstdint>
#include <optional>
#include <string_view>

namespace quarn::app {

// Splits off the first line of text; CR LF, a lone CR and a lone LF each end
// a line. Returns nothing when text holds no more lines.
std::optional<std::string_view> takeLine(std::string_view& text);

// The first field of a line: leading blanks skipped; a field that starts
// with a double quote runs to the next double quote (the quotes are not part
// of it); otherwise it runs to the first comma, without trailing blanks.
std::string_view firstField(std::string_view line);

// A decimal number with optional sign and fraction, blanks around it allowed,
// rounded to the nearest integer (a half to the even neighbour). Nothing when
// the text is not such a number or the result is outside -32768..32767.
std::optional<std::int16_t> roundedInt16(std::string_view text);

// A decimal integer with optional sign, blanks around it allowed. Nothing
// when the text is empty, holds anything else, or is outside -32768..32767.
std::optional<std::int16_t> parseInt16(std::string_view text);

}  // namespace quarn::app
