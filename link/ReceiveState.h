#pragma once
// The receive ring and the frame extractor's state, kept for the whole run.

#include <array>
#include <cstdint>

#include "link/Commands.h"

namespace quarn::link {

inline constexpr std::int16_t kRingSize = 2000;
inline constexpr std::int16_t kMaxHeldFrameBytes = 73;

struct ReceiveState {
    std::array<std::uint8_t, kRingSize + 1> rxBuffer{};  // index 2000 is never written
    std::int16_t rxIdxIn = 0;                            // where the next byte goes
    std::int16_t rxIdxOut = 0;                           // next byte to examine
    MsgBytes msgBuffer{};
    std::int16_t msgPos = 0;  // 0 idle, 1 a 0x01 seen, >= 2 inside a frame
    bool msgEsc = false;      // the last byte inside a frame was an unpaired 0x01
    std::int16_t msgLen = 0;
};

// True when a complete frame has just been placed in MsgBuffer, MsgLen long.
bool extractMsg(ReceiveState& state);

// Bytes buffered and not yet examined.
std::int16_t bufferedBytes(const ReceiveState& state);

}  // namespace quarn::link
