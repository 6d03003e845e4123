// The signal history beside the whole application on the simulator: it
// keeps what the signal column showed across closing and reopening the
// sensor window, and never more than ten minutes of it.

#include <gtest/gtest.h>

#include <vector>

#include "scenario/sensor/SensorSession.h"
#include "workbench/SignalHistory.h"

namespace quarn::workbench {
namespace {

TEST(SignalHistoryScenario, KeepsTenMinutesAcrossClosingAndReopeningTheSensorWindow) {
    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
    SignalHistory history{session.clock, session.host,
                          [&session] { return session.window.heldPeak(); }};
    struct Registration {
        sensorwin::SensorWindow& window;
        SignalHistory& history;
        ~Registration() { window.removeListener(history); }
    } registration{session.window, history};
    session.window.addListener(history);
    // Each kept sample is what the signal column shows at that moment.
    int mismatches = 0;
    std::vector<std::int64_t> everySample;
    history.setSampleHandler([&] {
        const HistorySample& kept = history.newest();
        everySample.push_back(kept.clockMs);
        if (std::to_string(kept.level) != session.window.levelValue.caption() ||
            std::to_string(kept.heldPeak) != session.window.peakValue.caption() ||
            kept.alarm != session.window.alarmLed.on()) {
            ++mismatches;
        }
    });
    sim::DeviceConfig config;
    config.randomMotion = false;
    sim::Adapter& adapter = session.plug(config);
    session.start(false);

    ASSERT_TRUE(session.openWindow());
    const std::int64_t firstOpening = session.clock.nowMs();
    session.clock.advance(3000);
    adapter.zelSensor()->triggerMotion(15000, 1500);
    session.clock.advance(4000);
    ASSERT_GT(history.size(), 100U);
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(history.newest().msSinceOpen, history.newest().clockMs - firstOpening);
    bool alarmKept = false;
    std::int32_t highest = 0;
    for (std::size_t i = 0; i < history.size(); ++i) {
        alarmKept = alarmKept || history.at(i).alarm;
        highest = std::max(highest, history.at(i).level);
    }
    EXPECT_TRUE(alarmKept);
    EXPECT_GT(highest, 10000);

    // The sensor is lost: the window closes, then opens again once it is back.
    const std::size_t beforeClose = history.size();
    adapter.detachDevice();
    ASSERT_TRUE(session.runUntil([&] { return !session.window.loaded(); }, 10000));
    adapter.reattachDevice();
    ASSERT_TRUE(session.openWindow());
    const std::int64_t secondOpening = session.clock.nowMs();
    ASSERT_TRUE(session.runUntil([&] { return history.size() > beforeClose + 20; }, 5000));
    EXPECT_EQ(history.at(0).msSinceOpen, history.at(0).clockMs - firstOpening);
    EXPECT_EQ(history.newest().msSinceOpen, history.newest().clockMs - secondOpening);
    EXPECT_LT(history.newest().msSinceOpen, 5000);

    // Twelve minutes on: the ring is full and holds the last 12000 samples
    // (ten minutes at the sensor's rate; a little more time, since the
    // purge before each request drops the samples still waiting).
    session.runUntil([] { return false; }, 12 * 60 * 1000, 50);
    ASSERT_EQ(history.size(), kHistoryCapacity);
    ASSERT_GT(everySample.size(), kHistoryCapacity);
    EXPECT_EQ(history.at(0).clockMs, everySample[everySample.size() - kHistoryCapacity]);
    EXPECT_EQ(history.newest().clockMs, everySample.back());
    EXPECT_GE(history.newest().clockMs - history.at(0).clockMs, 10 * 60 * 1000 - 50);
    EXPECT_GT(history.at(0).clockMs, secondOpening);
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace quarn::workbench
