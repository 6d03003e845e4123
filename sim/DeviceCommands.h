#pragma once
// The command bytes the simulated devices understand and answer with, as the
// device side numbers them (its own list, kept apart from the PC side's).

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

}  // namespace quarn::sim::command
