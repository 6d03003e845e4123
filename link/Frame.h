#pragma once
// The frame format: checksum, escaping and the hexadecimal text forms used
// by the traffic monitor and the sensor status bar.

#include <cstdint>

#include <span>
#include <string>
#include <vector>
#include "link/Commands.h"

namespace quarn::link {

// Mode 0: sum of elements 0..L-1 (a message being sent). Any other mode: sum
// of elements 2..L-5 (a received frame held with its markers). An empty
// range sums to 0. Elements beyond the span are never read: a range that
// reaches past the span's end is cut at it.
std::int32_t calcChecksum(std::span<const std::uint8_t> bytes, std::int16_t length,
                          std::int16_t mode);

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
