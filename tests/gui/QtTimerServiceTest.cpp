// Qt window timers keep the promises of the timer interface, including the
// handler that stops or destroys its own timer.

#include <gtest/gtest.h>

#include <QAbstractEventDispatcher>
#include <memory>

#include "GuiTestSupport.h"
#include "platform/qt/QtTimerService.h"

namespace quarn::qt {
namespace {

using guitest::waitUntil;

TEST(QtTimerService, IntervalZeroAndDisabledTimersNeverFireWhileOthersDo) {
    QtTimerService service;
    auto pacer = service.createTimer();
    auto zero = service.createTimer();
    auto disabled = service.createTimer();
    int pacerTicks = 0;
    int otherTicks = 0;
    pacer->setTickHandler([&] { ++pacerTicks; });
    zero->setTickHandler([&] { ++otherTicks; });
    disabled->setTickHandler([&] { ++otherTicks; });

    zero->setEnabled(true);  // interval still 0
    disabled->setInterval(5);
    disabled->setEnabled(false);
    pacer->setInterval(5);
    pacer->setEnabled(true);
    EXPECT_EQ(service.runningTimers(), 1U);

    ASSERT_TRUE(waitUntil([&] { return pacerTicks >= 5; }));
    EXPECT_EQ(otherTicks, 0);
    EXPECT_EQ(zero->interval(), 0);
    EXPECT_TRUE(zero->enabled());

    pacer->setInterval(0);  // an interval of 0 stops a running timer
    EXPECT_EQ(service.runningTimers(), 0U);
}

TEST(QtTimerService, HandlerMayStopReplaceOrDestroyItsOwnTimer) {
    QtTimerService service;
    std::unique_ptr<Timer> selfDestroying = service.createTimer();
    auto stopping = service.createTimer();
    int destroyedTicks = 0;
    int stoppingTicks = 0;
    selfDestroying->setTickHandler([&] {
        ++destroyedTicks;
        selfDestroying.reset();
    });
    stopping->setTickHandler([&] {
        ++stoppingTicks;
        stopping->setEnabled(false);
        // Replacing the handler from inside it takes effect next time.
        stopping->setTickHandler([&] { stoppingTicks += 100; });
    });
    selfDestroying->setInterval(1);
    selfDestroying->setEnabled(true);
    stopping->setInterval(1);
    stopping->setEnabled(true);

    ASSERT_TRUE(waitUntil([&] { return selfDestroying == nullptr && !stopping->enabled(); }));
    EXPECT_EQ(destroyedTicks, 1);
    EXPECT_EQ(stoppingTicks, 1);
    EXPECT_EQ(service.runningTimers(), 0U);

    stopping->setEnabled(true);
    ASSERT_TRUE(waitUntil([&] { return stoppingTicks > 1; }));
    EXPECT_EQ(stoppingTicks, 101);
}

TEST(QtTimerService, TimersKeepTheirNominalPeriod) {
    QtTimerService service;
    auto receive = service.createTimer();
    auto supervision = service.createTimer();
    receive->setInterval(50);
    receive->setEnabled(true);
    supervision->setInterval(1500);
    supervision->setEnabled(true);
    supervision->setInterval(500);  // restarted with the new interval

    const auto registered = QAbstractEventDispatcher::instance()->registeredTimers(&service);
    ASSERT_EQ(registered.size(), 2);
    for (const auto& timer : registered) {
        EXPECT_EQ(timer.timerType, Qt::PreciseTimer) << timer.interval << " ms";
    }
}

TEST(QtTimerService, TimersLeftBehindByTheServiceAreHarmless) {
    std::unique_ptr<Timer> orphan;
    {
        QtTimerService service;
        orphan = service.createTimer();
        orphan->setInterval(10);
        orphan->setEnabled(true);
    }
    // The service is gone: changing or destroying the timer touches nothing.
    orphan->setInterval(20);
    orphan->setEnabled(false);
    orphan.reset();
    SUCCEED();
}

}  // namespace
}  // namespace quarn::qt
