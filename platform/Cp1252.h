#pragma once
// Text arrives from files and from the wire as Windows-1252 bytes; inside the
// program every text is UTF-8. Each byte becomes exactly one character, NUL
// included, so a ten-byte serial number is always ten characters.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quarn {

std::string cp1252ToUtf8(std::string_view bytes);
std::string cp1252ToUtf8(std::span<const std::uint8_t> bytes);
// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

}  // namespace quarn
