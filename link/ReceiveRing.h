#pragma once
// The receive ring: bytes from the programmer wait here, in the order they
// arrived, until the frame extractor examines them. It has 2000 slots and
// one of them always stays empty, so equal positions mean an empty ring and
// it holds at most 1999 bytes. Its positions are its own: every operation
// keeps them inside the ring.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "link/ReadTarget.h"

namespace quarn::link {

inline constexpr std::int16_t kRingSize = 2000;

class ReceiveRing final : public ReadTarget {
  public:
    std::size_t freeRoom() const override;
    void append(std::span<const std::uint8_t> bytes) override;

    // Bytes appended and not yet examined.
    std::int16_t bufferedBytes() const;

    // The oldest unexamined bytes that lie in one piece: up to the newest
    // byte or up to the ring's end, whichever comes first. Empty when no byte
    // waits.
    std::span<const std::uint8_t> unexaminedRun() const;
    // Marks the first count bytes of unexaminedRun() as examined (never more
    // than it holds).
    void markExamined(std::size_t count);

  private:
    std::array<std::uint8_t, kRingSize> bytes_{};
    std::int16_t writePos_ = 0;  // where the next byte goes
    std::int16_t readPos_ = 0;   // the next byte to examine
};

}  // namespace quarn::link
