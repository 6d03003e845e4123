#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/VirtualClock.h"

namespace quarn {
namespace {

TEST(VirtualClock, FiresInTimeOrderAndArmingOrderAtEqualTimes) {
    VirtualClock clock;
    std::vector<std::string> log;
    auto slow = clock.createTimer();
    auto fast = clock.createTimer();
    auto same = clock.createTimer();
    slow->setTickHandler([&] { log.push_back("slow@" + std::to_string(clock.nowMs())); });
    fast->setTickHandler([&] { log.push_back("fast@" + std::to_string(clock.nowMs())); });
    same->setTickHandler([&] { log.push_back("same@" + std::to_string(clock.nowMs())); });
    slow->setInterval(100);
    slow->setEnabled(true);
    fast->setInterval(50);
    fast->setEnabled(true);
    same->setInterval(100);
    same->setEnabled(true);

    clock.advance(100);
    // fast was re-armed at 50, after slow and same were armed at 0.
    EXPECT_EQ(log, (std::vector<std::string>{"fast@50", "slow@100", "same@100", "fast@100"}));
    EXPECT_EQ(clock.nowMs(), 100);
}

TEST(VirtualClock, IntervalChangeAndReenableRestartTheCountdown) {
    VirtualClock clock;
    int ticks = 0;
    auto timer = clock.createTimer();
    timer->setTickHandler([&] { ++ticks; });
    timer->setInterval(1500);
    timer->setEnabled(true);
    clock.advance(1000);
    timer->setInterval(500);  // restarts: next tick at 1500, not at 1500 from the start
    clock.advance(499);
    EXPECT_EQ(ticks, 0);
    clock.advance(1);
    EXPECT_EQ(ticks, 1);
    timer->setEnabled(false);
    clock.advance(5000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(clock.activeTimers(), 0U);
}

TEST(VirtualClock, ZeroIntervalNeverFiresAndHandlerMayDestroyItsTimer) {
    VirtualClock clock;
    auto idle = clock.createTimer();
    int idleTicks = 0;
    idle->setTickHandler([&] { ++idleTicks; });
    idle->setEnabled(true);  // interval 0: does not run

    auto doomed = clock.createTimer();
    int doomedTicks = 0;
    doomed->setTickHandler([&] {
        ++doomedTicks;
        doomed.reset();
    });
    doomed->setInterval(10);
    doomed->setEnabled(true);
    clock.advance(100);
    EXPECT_EQ(idleTicks, 0);
    EXPECT_EQ(doomedTicks, 1);
    EXPECT_FALSE(clock.nextDue().has_value());
}

TEST(VirtualClock, HandlerRestartingItselfKeepsTheNewInterval) {
    VirtualClock clock;
    std::vector<std::int64_t> at;
    auto timer = clock.createTimer();
    timer->setTickHandler([&] {
        at.push_back(clock.nowMs());
        timer->setEnabled(false);
        timer->setInterval(500);
        timer->setEnabled(true);
    });
    timer->setInterval(1500);
    timer->setEnabled(true);
    clock.advance(2600);
    EXPECT_EQ(at, (std::vector<std::int64_t>{1500, 2000, 2500}));
}

}  // namespace
}  // namespace quarn
