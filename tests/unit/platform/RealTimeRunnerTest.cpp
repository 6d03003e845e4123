// The real-time runner on a scripted passing of time: timers fire when real
// time reaches them, late ones catch up in order, and each way of ending.

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "platform/RealTimeRunner.h"

namespace quarn {
namespace {

// Time that passes only by sleeping, plus what a test adds (a slow handler).
class ScriptedTime final : public RealTime {
  public:
    std::int64_t nowMs() override { return now; }
    void sleepUntilMs(std::int64_t timeMs) override {
        sleeps.push_back(timeMs);
        now = std::max(now, timeMs);
        if (onSleep) {
            onSleep();
        }
    }

    std::int64_t now = 1000;  // the runner counts from its creation
    std::vector<std::int64_t> sleeps;
    std::function<void()> onSleep;
};

TEST(RealTimeRunner, TimersFireAtRealTimeAndLateOnesCatchUpInOrder) {
    VirtualClock clock;
    ScriptedTime time;
    RealTimeRunner runner(clock, time);
    std::vector<std::string> fired;
    auto fast = clock.createTimer();
    fast->setInterval(50);
    fast->setTickHandler([&] {
        fired.push_back("fast@" + std::to_string(clock.nowMs()));
        if (clock.nowMs() == 100) {
            time.now += 120;  // a handler that took 120 ms
        }
    });
    fast->setEnabled(true);
    auto slow = clock.createTimer();
    slow->setInterval(120);
    slow->setTickHandler([&] { fired.push_back("slow@" + std::to_string(clock.nowMs())); });
    slow->setEnabled(true);

    EXPECT_EQ(runner.runUntil([] { return false; }, 250), RealTimeRunner::Outcome::TimedOut);
    EXPECT_EQ(clock.nowMs(), 250);
    EXPECT_EQ(fired, (std::vector<std::string>{"fast@50", "fast@100", "slow@120", "fast@150",
                                               "fast@200", "slow@240", "fast@250"}));
    // It slept to the next due timer, not in a busy loop, and never past it.
    EXPECT_EQ(time.sleeps.front(), 1000 + 20) << "first wake: the poll interval";
    for (std::size_t i = 1; i < time.sleeps.size(); ++i) {
        EXPECT_GE(time.sleeps[i], time.sleeps[i - 1]);
    }
}

TEST(RealTimeRunner, EndsWhenDoneOrStoppedAndLooksAtTheStopFlagOften) {
    VirtualClock clock;
    ScriptedTime time;
    RealTimeRunner runner(clock, time);
    auto timer = clock.createTimer();
    int ticks = 0;
    timer->setInterval(1000);
    timer->setTickHandler([&] { ++ticks; });
    timer->setEnabled(true);

    EXPECT_EQ(runner.runUntil([&] { return ticks == 2; }, 60000), RealTimeRunner::Outcome::Done);
    EXPECT_EQ(clock.nowMs(), 2000);

    // A stop set while the next timer is far off is seen within the poll interval.
    std::atomic<bool> stop{false};
    time.onSleep = [&] {
        if (time.now >= 1000 + 2100) {
            stop = true;
        }
    };
    EXPECT_EQ(runner.runUntil([] { return false; }, 60000, &stop),
              RealTimeRunner::Outcome::Stopped);
    EXPECT_LE(clock.nowMs(), 2100 + RealTimeRunner::kPollMs);
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace quarn
