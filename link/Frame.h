#pragma once
// The frame format: checksum, escaping and the hexadecimal text forms used
// by the traffic monitor and the sensor status bar.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "link/Commands.h"

namespace quarn::link {

// The bytes that delimit a frame on the wire: 0x01 0x02 opens it, 0x01 0x03
// closes it, and a 0x01 inside it is sent twice.
inline constexpr std::uint8_t kFrameMarker = 0x01;
inline constexpr std::uint8_t kFrameStart = 0x02;
inline constexpr std::uint8_t kFrameEnd = 0x03;

// Which elements of length bytes a checksum sums.
enum class ChecksumSpan {
    WholeMessage,  // 0 to length-1: a message being sent (command, payload)
    HeldFrame,     // 2 to length-5: a received frame held with its markers and checksum
};

// The sum of the elements the span names. An empty range sums to 0.
// Elements past the end of bytes are never read: a range that reaches past
// it is cut there.
std::int32_t calcChecksum(std::span<const std::uint8_t> bytes, std::int16_t length,
                          ChecksumSpan span);

// Two uppercase hexadecimal digits, high nibble first: 0x0A -> "0A".
std::string hexByte(std::uint8_t value);
// Every byte in the two-digit form, joined without separators.
std::string hexText(std::span<const std::uint8_t> bytes);
// High byte without leading zeros, low byte as two digits: 0x0102 -> "102",
// 0x0A05 -> "A05", 0x0010 -> "010", 0 -> "000".
std::string hexWord(std::int32_t value);

// A message ready to go: the log line (the unescaped frame as hex text) and
// the bytes for the wire (markers, body with every 0x01 doubled, markers).
struct EncodedMessage {
    std::string logLine;
    std::vector<std::uint8_t> wire;
};

// count is clamped to 0..73 and to the payload's size.
EncodedMessage encodeMessage(Command command, std::span<const std::uint8_t> payload,
                             std::int16_t count);

}  // namespace quarn::link
