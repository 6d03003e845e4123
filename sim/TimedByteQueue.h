#pragma once
// The driver's receive queue as the simulator models it: byte chunks stamped
// with the time they reach the driver. Bytes whose time has come are
// "in the driver" (counted, read, purged); later ones are still on their way
// from the device. The queue holds at most `capacity` bytes in all; bytes
// beyond that are lost, as they would be when a real receive FIFO overruns.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <vector>

namespace quarn::sim {

class TimedByteQueue {
  public:
    explicit TimedByteQueue(std::size_t capacity) : capacity_(capacity) {}

    // Adds bytes that arrive at atMs, after any bytes arriving at or before
    // that time. Returns how many were kept.
    std::size_t push(std::int64_t atMs, std::span<const std::uint8_t> bytes);
    // Bytes that have arrived by nowMs and not yet been read.
    std::size_t available(std::int64_t nowMs) const;
    // Moves up to out.size() arrived bytes into out; returns the count.
    std::size_t read(std::int64_t nowMs, std::span<std::uint8_t> out);
    // Throws away every byte that has arrived by nowMs.
    void discardArrived(std::int64_t nowMs);
    void clear();

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    bool full() const { return size_ >= capacity_; }

  private:
    struct Chunk {
        std::int64_t atMs;
        std::vector<std::uint8_t> bytes;
        std::size_t offset = 0;  // bytes already read from the front
    };
    std::deque<Chunk> chunks_;
    std::size_t size_ = 0;
    std::size_t capacity_;
};

}  // namespace quarn::sim
