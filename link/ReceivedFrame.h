#pragma once
// Reading a received frame as the frame extractor holds it: its bytes, its
// checksum test, its 16-bit words and the identity an identity reply
// carries. Shared by the programmer-level decoder and the sensor reply decoder.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"

namespace quarn::link {

// Markers, command, type, serial, versions, checksum, markers.
inline constexpr std::int16_t kIdentityFrameLength = 23;

// The frame's first length bytes, never more than the buffer holds (none for
// a length of 0 or less).
std::span<const std::uint8_t> heldBytes(const FrameBytes& frame, std::int16_t length);

// The 16-bit word at pos, high byte first.
std::int32_t wordAt(const FrameBytes& frame, std::size_t pos);

// Compares the sum of positions 2 to length-5 with the word at length-4. A
// length that cannot be a frame in the buffer (fewer bytes than the two
// marker pairs, or more than the buffer holds) has no checksum positions and
// fails the test.
bool checksumMatches(const FrameBytes& frame, std::int16_t length);

// The identity an identity reply carries: type, serial (ten bytes, one
// character each from Windows-1252, NUL included), hardware and firmware
// words. Nothing for a reply shorter than kIdentityFrameLength: its missing
// positions still hold bytes of earlier frames. The caller has checked the
// checksum and the command.
std::optional<DeviceIdentity> decodeIdentityReply(const FrameBytes& frame, std::int16_t length);

}  // namespace quarn::link
