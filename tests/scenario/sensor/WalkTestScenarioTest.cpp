// The walk test beside the sensor window on the simulated sensor: it shows
// what the sensor window shows, sample by sample, sounds once at each alarm
// start when asked to, and shows that no signal comes once the sensor
// window has closed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "scenario/sensor/SensorSession.h"
#include "workbench/WalkTestWindow.h"

namespace quarn::workbench {
namespace {

class CountingTone final : public AlarmTone {
  public:
    void play() override { ++plays; }
    int plays = 0;
};

class WalkTestScenario : public ::testing::Test {
  protected:
    WalkTestScenario() { session.window.addListener(walkTest); }
    ~WalkTestScenario() override { session.window.removeListener(walkTest); }

    // The sensor window open, streaming and settled; the walk test shown.
    sim::Adapter& open() {
        sim::DeviceConfig config;
        config.randomMotion = false;  // motion only when a test makes it
        sim::Adapter& adapter = session.plug(config);
        session.start();
        EXPECT_TRUE(session.openWindow());
        session.clock.advance(1000);
        walkTest.show();
        return adapter;
    }

    // Runs for `ms` in steps of 10 ms, checking after each step that the walk
    // test shows what the sensor window shows, and counting the alarm starts
    // of the sensor window's LED.
    void runMirrored(std::int64_t ms) {
        for (std::int64_t done = 0; done < ms; done += 10) {
            session.clock.advance(10);
            const sensorwin::SensorWindow& window = session.window;
            ASSERT_EQ(walkTest.levelValue.caption(), window.levelValue.caption());
            ASSERT_EQ(walkTest.levelBar.value(), window.levelBar.value());
            ASSERT_EQ(walkTest.peakValue.caption(), window.peakValue.caption());
            const AlarmFieldState expected =
                window.alarmLed.on() ? AlarmFieldState::Alarm : AlarmFieldState::Quiet;
            ASSERT_EQ(walkTest.alarmFieldState(), expected);
            if (window.alarmLed.on() && !ledWasOn_) {
                ++alarmStarts;
            }
            ledWasOn_ = window.alarmLed.on();
            peakSeen = std::max(peakSeen, std::atoi(walkTest.peakValue.caption().c_str()));
        }
    }

    // A motion event, and the time until its alarm and the peak hold are over.
    void walkThrough(sim::Adapter& adapter, std::uint16_t peakLevel) {
        adapter.zelSensor()->triggerMotion(peakLevel, 1600);
        runMirrored(6000);
    }

    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
    CountingTone tone;
    WalkTestWindow walkTest{session.app.state(), tone};
    int alarmStarts = 0;
    int peakSeen = 0;

  private:
    bool ledWasOn_ = false;
};

TEST_F(WalkTestScenario, ShowsTheSensorWindowsLevelAlarmAndHeldPeakAndSoundsOncePerAlarmStart) {
    sim::Adapter& adapter = open();
    EXPECT_FALSE(walkTest.toneCheck.checked());
    EXPECT_EQ(walkTest.levelBar.maximum(), session.window.levelBar.maximum());

    // The tone is off at first: an alarm, but no sound.
    walkThrough(adapter, 14000);
    EXPECT_EQ(alarmStarts, 1);
    EXPECT_EQ(tone.plays, 0);
    // The held peak rose with the event and fell back once its hold ran out.
    EXPECT_GT(peakSeen, 10000);
    EXPECT_LT(std::atoi(walkTest.peakValue.caption().c_str()), 2000);
    EXPECT_EQ(walkTest.alarmField.caption(), session.text(129));

    // With the tone on: one tone per alarm start, none while the alarm
    // stays on over the samples of an event.
    walkTest.toneCheck.toggle();
    walkThrough(adapter, 14000);
    walkThrough(adapter, 18000);
    EXPECT_EQ(alarmStarts, 3);
    EXPECT_EQ(tone.plays, 2);

    // Nothing sounds while the walk test window is closed.
    walkTest.unload();
    walkThrough(adapter, 14000);
    EXPECT_EQ(alarmStarts, 4);
    EXPECT_EQ(tone.plays, 2);
}

TEST_F(WalkTestScenario, ShowsNoSignalWhileTheSensorWindowIsClosed) {
    // Before the sensor window first opens, nothing is shown as a reading.
    EXPECT_EQ(walkTest.alarmFieldState(), AlarmFieldState::NoSignal);

    sim::Adapter& adapter = open();
    adapter.zelSensor()->triggerMotion(14000, 1600);
    ASSERT_TRUE(session.runUntil([&] { return session.window.alarmLed.on(); }, 2000));
    EXPECT_EQ(walkTest.alarmField.caption(), session.text(128));

    // The sensor is lost in the middle of the alarm: the sensor window closes.
    adapter.detachDevice();
    ASSERT_TRUE(session.runUntil([&] { return !session.window.loaded(); }, 6000));
    auto showsNoSignal = [&] {
        return walkTest.alarmFieldState() == AlarmFieldState::NoSignal &&
               walkTest.alarmField.caption() == session.text(130) &&
               walkTest.levelValue.caption().empty() && walkTest.peakValue.caption().empty() &&
               walkTest.levelBar.value() == 0;
    };
    EXPECT_TRUE(showsNoSignal());
    EXPECT_NE(walkTest.alarmField.backColor(), session.window.alarmLed.onColor());
    session.clock.advance(2000);
    EXPECT_TRUE(showsNoSignal());

    // Back again: the fresh column's held peak, then the level as it comes.
    adapter.reattachDevice();
    ASSERT_TRUE(session.openWindow());
    session.clock.advance(500);
    runMirrored(1000);
    EXPECT_EQ(walkTest.alarmFieldState(), AlarmFieldState::Quiet);
    EXPECT_FALSE(walkTest.levelValue.caption().empty());
}

}  // namespace
}  // namespace quarn::workbench
