#pragma once
// A deterministic clock for tests, fuzzing and benchmarks. Time moves only
// when advance() is called; due timers fire in time order and, at equal
// times, in the order they were armed. The clock must outlive its timers.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "platform/Timers.h"

namespace quarn {

class VirtualClock final : public Clock, public TimerService {
  public:
    VirtualClock() = default;
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    ~VirtualClock() override;

    std::int64_t nowMs() const override { return now_; }
    std::unique_ptr<Timer> createTimer() override;
    const Clock& clock() const override { return *this; }

    // Fires every timer that falls due up to now + ms, then sets now to that
    // time. Timers armed by handlers during the run fire too if they fall due.
    void advance(std::int64_t ms);
    void advanceTo(std::int64_t timeMs);
    // The time of the next due timer, if any is running.
    std::optional<std::int64_t> nextDue() const;
    std::size_t activeTimers() const;

  private:
    class VirtualTimer;
    friend class VirtualTimer;

    void arm(VirtualTimer* timer);
    void remove(VirtualTimer* timer);
    VirtualTimer* nextTimerDueBy(std::int64_t limit) const;

    std::int64_t now_ = 0;
    std::uint64_t armSequence_ = 0;
    std::vector<VirtualTimer*> timers_;
};

}  // namespace quarn
