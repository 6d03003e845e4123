#include <gtest/gtest.h>

#include <memory>

#include "platform/VirtualClock.h"
#include "sensor/SensorReplies.h"
#include "sensorwin/SignalDisplay.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::sensorwin {
namespace {

using testing::makeReply;

class SignalDisplayTest : public ::testing::Test {
  protected:
    SignalDisplayTest() {
        display.clear();
        peakTimer->setTickHandler([this] { display.onPeakHoldExpired(); });
    }

    void sample(std::uint8_t mode, int value, std::uint8_t alarm = 0) {
        const auto frame = makeReply(23, {mode, static_cast<std::uint8_t>(value >> 8),
                                          static_cast<std::uint8_t>(value & 0xFF), alarm});
        display.showSignal(sensor::readSignalSample(frame.bytes));
    }

    VirtualClock clock;
    std::unique_ptr<Timer> peakTimer = clock.createTimer();
    Label level{"levelValue"};
    Label peak{"peakValue"};
    Slider bar{"levelBar"};
    Led led{"alarmLed"};
    SignalDisplay display{SignalColumnControls{level, peak, bar, led, *peakTimer}};
};

TEST_F(SignalDisplayTest, LevelGoesToLabelAndSliderAndAlarmToTheLed) {
    sample(2, 300, 0x80);
    EXPECT_EQ(level.caption(), "300");
    EXPECT_EQ(bar.value(), 300);
    EXPECT_TRUE(led.on());

    sample(2, 65535, 0);
    EXPECT_EQ(level.caption(), "65535");
    EXPECT_EQ(bar.value(), 65535);  // beyond the 20000 scale, kept as it came
    EXPECT_FALSE(led.on());

    sample(1, 7, 1);  // other modes are not shown
    EXPECT_EQ(level.caption(), "65535");
    EXPECT_EQ(peak.caption(), "65535");
    EXPECT_EQ(bar.value(), 65535);
    EXPECT_FALSE(led.on());
}

TEST_F(SignalDisplayTest, ZeroLevelsNeverArmThePeakHold) {
    sample(2, 0);
    clock.advance(5000);
    sample(2, 0);
    EXPECT_EQ(peak.caption(), "0");
    EXPECT_FALSE(peakTimer->enabled());
}

TEST_F(SignalDisplayTest, PeakHoldsTwoSecondsFromTheLastRise) {
    sample(2, 500);
    EXPECT_EQ(peak.caption(), "500");
    // Levels of 200 every 50 ms for three seconds.
    for (int t = 50; t <= 3000; t += 50) {
        clock.advanceTo(t);
        sample(2, 200);
        EXPECT_EQ(peak.caption(), t < 2000 ? "500" : "200") << t;
    }

    // An equal level does not restart the hold; a higher one does.
    clock.advanceTo(4000);  // the refresh at 4000 sets the peak to 200
    sample(2, 900);
    clock.advanceTo(5000);
    sample(2, 900);
    clock.advanceTo(5999);
    EXPECT_EQ(peak.caption(), "900");
    sample(2, 100);
    clock.advanceTo(6000);
    EXPECT_EQ(peak.caption(), "100");
    EXPECT_EQ(clock.nextDue(), 8000);
}

TEST_F(SignalDisplayTest, PeaksCompareAsNumbersAndAClearedColumnStartsFromZero) {
    sample(2, 900);
    sample(2, 1000);  // as texts "1000" would sort below "900"
    EXPECT_EQ(peak.caption(), "1000");

    display.clear();
    EXPECT_EQ(level.caption(), "");
    EXPECT_EQ(peak.caption(), "0");
    sample(2, 5);
    EXPECT_EQ(peak.caption(), "5");
}

}  // namespace
}  // namespace quarn::sensorwin
