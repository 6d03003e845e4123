#pragma once
// The frame extractor: a byte-by-byte state machine over the receive ring
// that undoes the 0x01 doubling and cuts out complete frames. It holds the
// latest frame, unescaped, until the next extraction writes over it.

#include <cstdint>

#include "link/Commands.h"
#include "link/ReceiveRing.h"

namespace quarn::link {

// The most bytes a frame keeps before its closing 0x03: a longer frame loses
// the bytes past this, and its 0x03 follows the last one kept.
inline constexpr std::int16_t kMaxHeldFrameBytes = 73;

class FrameExtractor {
  public:
    // Examines the ring's bytes until a frame is complete (true: frame() and
    // length() now hold it) or no byte is left (false). A frame may be begun
    // in one call and finished in a later one.
    bool extract(ReceiveRing& ring);

    // The latest complete frame: 0x01 0x02, command, payload, checksum high
    // and low, 0x01 0x03. Positions from length() on still hold bytes of
    // earlier frames.
    const FrameBytes& frame() const { return frame_; }
    // Its length, markers included: 4 to 74.
    std::int16_t length() const { return length_; }

  private:
    FrameBytes frame_{};
    std::int16_t length_ = 0;
    std::int16_t position_ = 0;  // 0 idle, 1 a 0x01 seen, from 2 the next position to fill
    bool escaped_ = false;       // the last byte inside a frame was an unpaired 0x01
};

}  // namespace quarn::link
