#pragma once
// Command bytes of the frames exchanged with the programmer and the sensor,
// and the buffer in which a received frame is held unescaped.

#include <array>
#include <cstdint>

namespace quarn::link {

inline constexpr std::uint8_t MsgGetIdentity = 0;
inline constexpr std::uint8_t MsgIdentity = 1;
inline constexpr std::uint8_t MsgGetParams = 2;
inline constexpr std::uint8_t MsgParams = 3;
inline constexpr std::uint8_t MsgSetParams = 4;
inline constexpr std::uint8_t MsgSetParamsAck = 5;
inline constexpr std::uint8_t MsgStream = 20;
inline constexpr std::uint8_t MsgStreamAck = 21;
inline constexpr std::uint8_t MsgSignal = 23;

// A received frame as the extractor holds it: 0x01 0x02, command, payload,
// checksum high and low, 0x01 0x03. Positions 0 to 75; the extractor writes
// 0 to 73 only, so a decoder may read any position below 76 safely.
inline constexpr std::size_t kMsgBufferSize = 76;
using MsgBytes = std::array<std::uint8_t, kMsgBufferSize>;

// The longest payload a sent message may carry.
inline constexpr std::int16_t kMaxPayload = 73;

}  // namespace quarn::link
