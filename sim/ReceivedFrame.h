#pragma once
// A frame as the simulated programmer took it off the wire from the PC.

#include <cstdint>
#include <vector>

namespace quarn::sim {

struct ReceivedFrame {
    std::int64_t timeMs = 0;  // clock time of the write that completed it
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
    bool checksumOk = true;  // frames with a bad checksum are recorded, not answered
};

}  // namespace quarn::sim
