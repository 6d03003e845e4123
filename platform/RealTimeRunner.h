#pragma once
// Runs a virtual clock's timers in real time, for a program without a
// toolkit's event loop (the command-line tool): it sleeps until the next
// timer falls due, then brings the clock up to the real time elapsed, so the
// timers fire in the same order as on the virtual clock, only late when a
// handler took long. The clock's time 0 is the runner's creation.

#include <atomic>
#include <cstdint>
#include <functional>

#include "platform/VirtualClock.h"

namespace quarn {

// The real passing of time: a steady clock and a sleep. Tests give one whose
// sleep only moves its own time on.
class RealTime {
  public:
    virtual ~RealTime() = default;
    virtual std::int64_t nowMs() = 0;
    virtual void sleepUntilMs(std::int64_t timeMs) = 0;
};

// The system's steady clock, counted from its creation.
class SteadyRealTime final : public RealTime {
  public:
    SteadyRealTime();
    std::int64_t nowMs() override;
    void sleepUntilMs(std::int64_t timeMs) override;

  private:
    std::int64_t originNs_;
};

class RealTimeRunner {
  public:
    enum class Outcome { Done, TimedOut, Stopped };

    // Both must outlive the runner.
    RealTimeRunner(VirtualClock& clock, RealTime& time);

    // Keeps the clock at real time until done() holds (asked after every
    // step), limitMs of clock time have passed, or *stop is set (from a
    // signal handler, say: it is read at least every kPollMs).
    Outcome runUntil(const std::function<bool()>& done, std::int64_t limitMs,
                     const std::atomic<bool>* stop = nullptr);

    static constexpr std::int64_t kPollMs = 20;

  private:
    VirtualClock& clock_;
    RealTime& time_;
    std::int64_t originMs_;
};

}  // namespace quarn
