#pragma once
// The bytes a replay hands to the application: each recorded read's bytes
// arrive in the driver again at the time they were read, on the handle they
// were read from, and wait there until the application takes them. Nothing
// is ever thrown away: what the capture holds is exactly what the
// application was given, after every purge the technician's session made.

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <vector>

namespace quarn::capture {

class ReceivedBytes {
  public:
    // Bytes read on the handle at timeMs; added in time order.
    void add(std::uint32_t handle, std::int64_t timeMs, std::vector<std::uint8_t> bytes);

    // Bytes that have arrived on the handle by timeMs and were not taken.
    std::size_t waiting(std::uint32_t handle, std::int64_t timeMs);
    // Moves up to out.size() waiting bytes into out; returns how many.
    std::size_t take(std::uint32_t handle, std::int64_t timeMs, std::span<std::uint8_t> out);

  private:
    struct Arrival {
        std::int64_t timeMs;
        std::vector<std::uint8_t> bytes;
    };
    struct HandleQueue {
        std::vector<Arrival> arrivals;
        std::size_t arrived = 0;  // arrivals whose time has come
        std::size_t taken = 0;    // arrivals taken whole
        std::size_t offset = 0;   // bytes taken of arrivals[taken]
        std::size_t waiting = 0;  // arrived and not taken
    };

    HandleQueue* queueAt(std::uint32_t handle, std::int64_t timeMs);

    std::map<std::uint32_t, HandleQueue> queues_;
};

}  // namespace quarn::capture
