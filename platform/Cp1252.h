#pragma once
// Text arrives from files and from the wire as Windows-1252 bytes; inside the
// program every text is UTF-8. Each byte becomes exactly one character, NUL
// included, so a ten-byte serial number is always ten characters.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/Utf8.h"

namespace quarn {

std::string cp1252ToUtf8(std::string_view bytes);
std::string cp1252ToUtf8(std::span<const std::uint8_t> bytes);

}  // namespace quarn
