#pragma once
// The small pieces a capture line is made of, written and read the same way
// by the recorder and the parser: call names, status names, bytes as hex
// digits, texts in quotes with every byte that is not plain printable ASCII
// written as \xHH.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "drivers/capture/CaptureEvent.h"
#include "platform/D2xxDriver.h"

namespace quarn::capture {

std::string_view callName(CaptureCall call);
std::optional<CaptureCall> callNamed(std::string_view name);

// The vendor's name (FT_OK, FT_IO_ERROR ...), or the number in decimal for
// a value the vendor list does not hold.
std::string statusName(FtStatus status);
// A vendor name or a decimal number.
std::optional<FtStatus> statusNamed(std::string_view text);

// Two uppercase hex digits a byte, no separators.
std::string hexBytes(std::span<const std::uint8_t> bytes);
// Pairs of hex digits, either case; nullopt for an odd count or any other
// character.
std::optional<std::vector<std::uint8_t>> bytesFromHex(std::string_view digits);

// In double quotes; backslash, quote and every byte outside 0x20..0x7E as
// \\, \" and \xHH.
std::string quotedText(std::string_view bytes);
// The bytes of a quoted text written by quotedText (also accepts \xhh in
// lower case); nullopt for a missing quote or an unknown escape.
std::optional<std::string> unquotedText(std::string_view quoted);

// Decimal, or hexadecimal after 0x; nullopt past 32 bits or for anything else.
std::optional<std::uint32_t> dwordFrom(std::string_view text);
std::string hexDword(std::uint32_t value);

}  // namespace quarn::capture
