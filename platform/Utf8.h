#pragma once
// UTF-8, the program's inner text encoding: counting characters and telling
// well-formed text from bytes that only look like it (files and the wire are
// untrusted).

#include <cstddef>
#include <string_view>

namespace quarn {

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

// Length of the well-formed UTF-8 sequence that starts at text[at] (1 for
// ASCII), or 0 when it is not one: a stray continuation byte, a truncated
// or overlong sequence, a surrogate, or a code point above U+10FFFF.
std::size_t utf8SequenceAt(std::string_view text, std::size_t at);

// Where the first byte that does not belong to well-formed UTF-8 lies;
// npos when the whole text is UTF-8.
std::size_t firstNonUtf8(std::string_view text);

}  // namespace quarn
