#pragma once
// The first write of a replay that is not the write the capture holds at
// the same place: where the application, given what the technician's
// program was given, did something else.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quarn::capture {

struct WriteDifference {
    std::size_t writeNumber = 0;    // 1 for the session's first write
    std::size_t captureLine = 0;    // the line of the recorded write (0: not read from a file)
    std::int64_t recordedAtMs = 0;  // when the technician's program made it
    std::int64_t replayedAtMs = 0;  // when the replay made its write, on the capture's time scale
    std::vector<std::uint8_t> recorded;  // the bytes the capture holds
    std::vector<std::uint8_t> actual;    // the bytes the replay wrote

    bool operator==(const WriteDifference&) const = default;
};

// One line for a person: which write, both times, both byte strings in hex.
std::string describe(const WriteDifference& difference);

}  // namespace quarn::capture
