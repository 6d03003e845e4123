#pragma once
// The device side's own frame codec. A frame on the wire is 0x01 0x02, the
// body (command, payload, 16-bit big-endian additive checksum) with every
// 0x01 doubled, then 0x01 0x03. Kept apart from the PC side's code on
// purpose: two independent implementations catch each other's mistakes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "sim/ReceivedFrame.h"

namespace quarn::sim {

// Sum of the command and payload bytes, each 0..255.
std::uint16_t frameChecksum(std::uint8_t command, std::span<const std::uint8_t> payload);

// Wire bytes of a frame with the correct checksum.
std::vector<std::uint8_t> encodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload);
// Wire bytes of a frame carrying the given checksum, right or wrong.
std::vector<std::uint8_t> encodeFrameWithChecksum(std::uint8_t command,
                                                  std::span<const std::uint8_t> payload,
                                                  std::uint16_t checksum);

// Takes frames off a byte stream, one byte at a time. Bytes outside frames
// are skipped; 0x01 0x02 inside a frame restarts it; 0x01 followed by
// anything but 0x01, 0x02 or 0x03 drops it; a body longer than kMaxBody is
// dropped as garbage; a body too short to hold command and checksum is
// dropped at its end.
class FrameDecoder {
  public:
    // Command, 73 payload bytes and two checksum bytes.
    static constexpr std::size_t kMaxBody = 76;

    // A complete frame (timeMs left 0), good checksum or not.
    std::optional<ReceivedFrame> feed(std::uint8_t byte);
    void reset();

  private:
    enum class State { Idle, StartSeen, InBody, Discarding };
    State state_ = State::Idle;
    bool escape_ = false;
    std::vector<std::uint8_t> body_;
};

}  // namespace quarn::sim
