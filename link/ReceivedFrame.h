#pragma once
// Reading a received frame as the extractor holds it in MsgBuffer: its bytes,
// its checksum test, its 16-bit words and the fields of an identity reply.
// Shared by the programmer-level decoder and the sensor reply decoder.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"

namespace quarn::link {

// Markers, command, type, serial, versions, checksum, markers.
inline constexpr std::int16_t kIdentityFrameLength = 23;

// The frame's first L bytes, never more than the buffer holds (none for L <= 0).
std::span<const std::uint8_t> heldBytes(const MsgBytes& frame, std::int16_t length);

// The word at pos (high byte first).
std::int32_t wordAt(const MsgBytes& frame, std::size_t pos);

// Compares the sum of positions 2 to L-5 with the word at L-4. A length that
// cannot be a frame in the buffer (fewer bytes than the two marker pairs, or
// more than the buffer holds) has no checksum positions and fails the test.
bool checksumMatches(const MsgBytes& frame, std::int16_t length);

// Type, serial (ten bytes, one character each from Windows-1252, NUL
// included), hardware and firmware words of an identity reply of at least
// kIdentityFrameLength bytes.
void decodeIdentityFields(const MsgBytes& frame, DeviceIdentity& identity);

}  // namespace quarn::link
