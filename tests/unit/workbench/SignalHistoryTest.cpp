// The history ring: what it keeps, for how long, and how each sample is
// timed across openings of the sensor window.

#include <gtest/gtest.h>

#include "unit/workbench/HistoryRig.h"

namespace quarn::workbench {
namespace {

TEST(SignalHistory, KeepsExactlyTenMinutesAndDropsTheOldestWithoutGrowing) {
    testing::HistoryRig rig;
    rig.history.sensorWindowOpened();
    EXPECT_EQ(rig.history.capacity(), 12000U);
    const HistorySample* storage = &rig.history.at(0);

    const int total = 12000 + 700;
    for (int i = 0; i < total; ++i) {
        rig.sample(i % 20001, i % 7 == 0);
        ASSERT_LE(rig.history.size(), rig.history.capacity());
    }
    EXPECT_EQ(rig.history.capacity(), 12000U);
    ASSERT_EQ(rig.history.size(), 12000U);
    // The 700 oldest are gone; the rest in order, ten minutes from first to last.
    EXPECT_EQ(rig.history.at(0).level, 700);
    EXPECT_EQ(rig.history.at(0).msSinceOpen, 700 * 50);
    EXPECT_EQ(rig.history.newest().level, (total - 1) % 20001);
    EXPECT_EQ(rig.history.newest().clockMs - rig.history.at(0).clockMs + 50, 10 * 60 * 1000);
    for (std::size_t i = 1; i < rig.history.size(); ++i) {
        ASSERT_EQ(rig.history.at(i).clockMs - rig.history.at(i - 1).clockMs, 50) << i;
        ASSERT_EQ(rig.history.at(i).alarm, (700 + i) % 7 == 0) << i;
    }
    // Still the storage allocated at the start.
    const HistorySample* lowest = storage;
    const HistorySample* highest = storage + rig.history.capacity();
    for (std::size_t i = 0; i < rig.history.size(); i += 997) {
        EXPECT_GE(&rig.history.at(i), lowest);
        EXPECT_LT(&rig.history.at(i), highest);
    }
}

TEST(SignalHistory, KeepsOnlyShownSamplesWithTheHeldPeakAndTheWallClock) {
    testing::HistoryRig rig;
    rig.history.sensorWindowOpened();
    rig.heldPeak = 4000;
    rig.sample(1200, true);
    rig.sample(77, false, 1);  // the signal column does not show other modes
    rig.heldPeak = 900;
    rig.sample(900);
    ASSERT_EQ(rig.history.size(), 2U);
    EXPECT_EQ(rig.history.at(0).heldPeak, 4000);
    EXPECT_TRUE(rig.history.at(0).alarm);
    EXPECT_EQ(rig.history.at(1).heldPeak, 900);
    EXPECT_EQ(rig.history.at(1).msSinceOpen, 100);
    EXPECT_EQ(rig.history.at(1).wallClock, testing::kRigStart + std::chrono::milliseconds(100));
}

TEST(SignalHistory, EachOpeningCountsItsOwnMillisecondsAndKeepsTheEarlierSamples) {
    testing::HistoryRig rig;
    rig.clock.advance(5000);
    rig.history.sensorWindowOpened();
    rig.clock.advance(300);
    rig.sample(10);
    rig.sample(20);
    rig.history.sensorWindowClosed();
    rig.clock.advance(60000);
    rig.history.sensorWindowOpened();
    rig.clock.advance(120);
    rig.sample(30);

    ASSERT_EQ(rig.history.size(), 3U);
    EXPECT_EQ(rig.history.at(0).msSinceOpen, 300);
    EXPECT_EQ(rig.history.at(1).msSinceOpen, 350);
    EXPECT_EQ(rig.history.at(2).msSinceOpen, 120);
    EXPECT_EQ(rig.history.at(2).clockMs - rig.history.at(1).clockMs, 60050 + 120);

    // The first sample at or after a time, for the chart's window.
    EXPECT_EQ(rig.history.firstAtOrAfter(0), 0U);
    EXPECT_EQ(rig.history.firstAtOrAfter(rig.history.at(1).clockMs), 1U);
    EXPECT_EQ(rig.history.firstAtOrAfter(rig.history.at(1).clockMs + 1), 2U);
    EXPECT_EQ(rig.history.firstAtOrAfter(rig.history.newest().clockMs + 1), 3U);
}

}  // namespace
}  // namespace quarn::workbench
