#pragma once
// The receive ring and the frame extractor's state, kept for the whole run.

#include <array>
#include <cstdint>

#include "link/Commands.h"

namespace quarn::link {

inline constexpr std::int16_t kRingSize = 2000;
inline constexpr std::int16_t kMaxHeldFrameBytes = 73;

struct ReceiveState {
    std::array<std::uint8_t, kRingSize + 1> RxBuffer{};  // index 2000 is never written
    std::int16_t RxIdxIn = 0;                            // where the next byte goes
    std::int16_t RxIdxOut = 0;                           // next byte to examine
    MsgBytes MsgBuffer{};
    std::int16_t MsgPos = 0;  // 0 idle, 1 a 0x01 seen, >= 2 inside a frame
    bool MsgEsc = false;      // the last byte inside a frame was an unpaired 0x01
    std::int16_t MsgLen = 0;
};

// True when a complete frame has just been placed in MsgBuffer, MsgLen long.
bool ExtractMsg(ReceiveState& state);

// Bytes buffered and not yet examined.
std::int16_t BufferedBytes(const ReceiveState& state);

}  // namespace quarn::link
