#include "platform/RealTimeRunner.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace quarn {

namespace {

std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

SteadyRealTime::SteadyRealTime() : originNs_(steadyNs()) {}

std::int64_t SteadyRealTime::nowMs() {
    return (steadyNs() - originNs_) / 1'000'000;
}

void SteadyRealTime::sleepUntilMs(std::int64_t timeMs) {
    const std::int64_t waitMs = timeMs - nowMs();
    if (waitMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    }
}

RealTimeRunner::RealTimeRunner(VirtualClock& clock, RealTime& time)
    : clock_(clock), time_(time), originMs_(time.nowMs() - clock.nowMs()) {}

RealTimeRunner::Outcome RealTimeRunner::runUntil(const std::function<bool()>& done,
                                                 std::int64_t limitMs,
                                                 const std::atomic<bool>* stop) {
    const std::int64_t deadline = clock_.nowMs() + limitMs;
    while (true) {
        if (done()) {
            return Outcome::Done;
        }
        if (stop != nullptr && stop->load()) {
            return Outcome::Stopped;
        }
        if (clock_.nowMs() >= deadline) {
            return Outcome::TimedOut;
        }
        // Wake for the next timer, the deadline, or the next look at the
        // stop flag, whichever comes first.
        std::int64_t wake = std::min(deadline, clock_.nowMs() + kPollMs);
        if (const auto due = clock_.nextDue()) {
            wake = std::min(wake, *due);
        }
        time_.sleepUntilMs(originMs_ + wake);
        // The clock follows real time (never back, never past the deadline):
        // after a slow handler it catches up, firing what fell due in order.
        const std::int64_t real = time_.nowMs() - originMs_;
        clock_.advanceTo(std::clamp(real, clock_.nowMs(), deadline));
    }
}

}  // namespace quarn
