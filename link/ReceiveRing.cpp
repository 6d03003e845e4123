#include "link/ReceiveRing.h"

#include <algorithm>

namespace quarn::link {

std::size_t ReceiveRing::freeRoom() const {
    return static_cast<std::size_t>(kRingSize - 1 - bufferedBytes());
}

void ReceiveRing::append(std::span<const std::uint8_t> bytes) {
    const std::size_t taken = std::min(bytes.size(), freeRoom());
    std::size_t copied = 0;
    while (copied < taken) {
        // Up to the ring's end, then on from its start.
        const std::size_t chunk =
            std::min(taken - copied, static_cast<std::size_t>(kRingSize - writePos_));
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(copied), chunk,
                    bytes_.begin() + writePos_);
        copied += chunk;
        writePos_ = static_cast<std::int16_t>((writePos_ + chunk) % kRingSize);
    }
}

std::int16_t ReceiveRing::bufferedBytes() const {
    return static_cast<std::int16_t>((writePos_ - readPos_ + kRingSize) % kRingSize);
}

std::span<const std::uint8_t> ReceiveRing::unexaminedRun() const {
    const std::int16_t end = writePos_ >= readPos_ ? writePos_ : kRingSize;
    return {bytes_.data() + readPos_, static_cast<std::size_t>(end - readPos_)};
}

void ReceiveRing::markExamined(std::size_t count) {
    const std::size_t examined = std::min(count, unexaminedRun().size());
    readPos_ = static_cast<std::int16_t>((readPos_ + examined) % kRingSize);
}

}  // namespace quarn::link
