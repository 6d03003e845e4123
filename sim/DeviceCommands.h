#pragma once
// The command bytes the simulated devices understand and answer with, and
// the payload values they give meaning to, as the device side numbers them
// (its own list, kept apart from the PC side's).

#include <cstdint>

namespace quarn::sim::command {

inline constexpr std::uint8_t kGetIdentity = 0;
inline constexpr std::uint8_t kIdentity = 1;
inline constexpr std::uint8_t kGetParameters = 2;
inline constexpr std::uint8_t kParameters = 3;
inline constexpr std::uint8_t kSetParameters = 4;
inline constexpr std::uint8_t kParametersWritten = 5;
inline constexpr std::uint8_t kSetStreaming = 20;
inline constexpr std::uint8_t kStreamingSet = 21;
inline constexpr std::uint8_t kSignalSample = 23;

// The first payload byte of kSetStreaming that turns the stream on.
inline constexpr std::uint8_t kStreamingOn = 2;
// The mode byte of a signal sample that carries the detection level.
inline constexpr std::uint8_t kSampleModeLevel = 2;

}  // namespace quarn::sim::command
