#include <gtest/gtest.h>

#include "SimHarness.h"
#include "sim/ZelSensor.h"

namespace quarn::sim {
namespace {

using testing::Bytes;
using testing::SimHarness;

DeviceConfig quietSensor(std::uint16_t firmware = 0x0200) {
    DeviceConfig config;
    config.firmware = firmware;
    config.randomMotion = false;
    return config;
}

TEST(ZelSensor, IdentityReplyHasTheExactWireBytes) {
    DeviceConfig config;
    config.serial = "ABCDEFGHIJ";
    config.hardware = 0x0100;
    config.firmware = 0x0200;
    SimHarness h(true, config);
    h.writeRaw({0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03});
    h.clock.advance(Adapter::kDefaultReplyDelayMs);
    // Checksum 1 + 2 + 695 + 1 + 2 = 701 = 0x02BD.
    EXPECT_EQ(h.readAll(), (Bytes{0x01, 0x02, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 'A',
                                  'B',  'C',  'D',  'E',  'F',  'G',  'H',  'I',  'J',
                                  0x01, 0x01, 0x00, 0x02, 0x00, 0x02, 0xBD, 0x01, 0x03}));
    EXPECT_EQ(h.adapter.framesReceived(0), 1U);
    EXPECT_EQ(h.adapter.receivedFrames().front().timeMs, 0);
}

TEST(ZelSensor, WhoAnswersDependsOnTheDeviceBehindTheProgrammer) {
    SimHarness h(false);
    h.request(0);
    EXPECT_TRUE(h.replies().empty());

    DeviceConfig foreign;
    foreign.type = 258;
    foreign.serial = "XY";
    h.adapter.attachDevice(foreign);
    h.request(0);
    h.request(2);
    h.request(20, {2});
    auto frames = h.replies(1000);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 1);
    EXPECT_EQ(frames[0].payload, (Bytes{0x01, 0x02, 'X', 'Y', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
                                        ' ', 0x01, 0x02, 0x02, 0x00}));

    // Detached, nothing answers; put back, the same sensor answers again.
    h.adapter.attachDevice(quietSensor());
    h.adapter.detachDevice();
    h.request(0);
    EXPECT_TRUE(h.replies().empty());
    ASSERT_TRUE(h.adapter.reattachDevice());
    h.request(0);
    EXPECT_EQ(h.replies().size(), 1U);
    // A request with a bad checksum is recorded but not answered.
    h.writeRaw({0x01, 0x02, 0x00, 0x00, 0x01, 0x01, 0x01, 0x03});
    EXPECT_TRUE(h.replies().empty());
    EXPECT_EQ(h.adapter.badFramesReceived(), 1U);
}

TEST(ZelSensor, ParameterReplyCarriesFiveOrSixValuesByFirmware) {
    for (const std::uint16_t firmware : {0x01FF, 0x0200}) {
        SimHarness h(true, quietSensor(firmware));
        h.request(2);
        const auto frames = h.replies();
        ASSERT_EQ(frames.size(), 1U);
        EXPECT_EQ(frames[0].command, 3);
        const Bytes all{5, 2, 1, 1, 0, 1};
        EXPECT_EQ(frames[0].payload, Bytes(all.begin(), all.begin() + (firmware >= 0x200 ? 6 : 5)));
    }
}

TEST(ZelSensor, WriteIsAcknowledgedAndStoredByItsOutOfRangePolicy) {
    SimHarness h(true, quietSensor());
    h.request(4, {7, 3, 2, 0, 1, 2});
    auto frames = h.replies();
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 5);
    ZelSensor& sensor = *h.adapter.zelSensor();
    EXPECT_EQ(sensor.parameters(), (ZelParameters{7, 3, 2, 0, 1, 2}));

    const Bytes outOfRange{0, 12, 3, 9, 2, 5};
    sensor.setOutOfRangeWrite(OutOfRangeWrite::Clamp);
    h.request(4, outOfRange);
    EXPECT_EQ(sensor.parameters(), (ZelParameters{1, 9, 2, 2, 1, 2}));
    sensor.setParameters({4, 4, 1, 1, 0, 1});
    sensor.setOutOfRangeWrite(OutOfRangeWrite::Refuse);
    h.request(4, {0, 6, 3, 2, 2, 0});
    EXPECT_EQ(sensor.parameters(), (ZelParameters{4, 6, 1, 2, 0, 0}));
    sensor.setOutOfRangeWrite(OutOfRangeWrite::Store);
    h.request(4, outOfRange);
    EXPECT_EQ(sensor.parameters(), (ZelParameters{0, 12, 3, 9, 2, 5}));
    EXPECT_EQ(h.replies().size(), 3U);

    // Five values leave the height alone; fewer are not a write at all.
    sensor.setParameters({});
    h.request(4, {9, 9, 0, 0, 0});
    EXPECT_EQ(sensor.parameters(), (ZelParameters{9, 9, 0, 0, 0, 1}));
    h.request(4, {1, 1});
    EXPECT_EQ(sensor.parameters().sensitivity, 9);
    EXPECT_EQ(h.replies().size(), 1U);
}

TEST(ZelSensor, ForcedReplyValuesGoOutInsteadOfTheStoredOnes) {
    SimHarness h(true, quietSensor(0x0100));
    h.adapter.zelSensor()->setForcedReplyValues(std::array<std::uint8_t, 6>{0, 10, 3, 3, 2, 3});
    h.request(2);
    const auto frames = h.replies();
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].payload, (Bytes{0, 10, 3, 3, 2}));
}

TEST(ZelSensor, StreamsOneSampleEvery50MsUntilStopped) {
    SimHarness h(true, quietSensor());
    h.request(20, {2});
    h.clock.advance(Adapter::kDefaultReplyDelayMs);
    auto frames = SimHarness::decode(h.readAll());
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 21);

    h.clock.advance(1000 - Adapter::kDefaultReplyDelayMs);
    frames = h.replies(0);
    // Samples made at 50..950 have arrived; the one made at 1000 is on its way.
    ASSERT_EQ(frames.size(), 19U);
    for (const auto& f : frames) {
        ASSERT_EQ(f.command, 23);
        ASSERT_EQ(f.payload.size(), 4U);
        EXPECT_EQ(f.payload[0], 2);
        const int level = f.payload[1] << 8 | f.payload[2];
        EXPECT_GE(level, 50);
        EXPECT_LE(level, 700);
        EXPECT_EQ(f.payload[3], 0);
    }
    EXPECT_EQ(h.adapter.repliesSent(23), 20U);

    h.request(20, {0});
    frames = h.replies(1000);
    ASSERT_EQ(frames.size(), 2U);  // the last sample in flight, then the ack
    EXPECT_EQ(frames[0].command, 23);
    EXPECT_EQ(frames[1].command, 21);
    EXPECT_FALSE(h.adapter.zelSensor()->streaming());

    // Unplugging powers the sensor down: the stream does not survive it.
    h.request(20, {2});
    h.bus.unplug(h.adapter);
    h.bus.replug(h.adapter);
    EXPECT_FALSE(h.adapter.zelSensor()->streaming());
}

TEST(ZelSensor, MotionRaisesTheLevelAndTheAlarmFollowsThresholdAndRelayTime) {
    SimHarness h(true, quietSensor());
    ZelSensor& sensor = *h.adapter.zelSensor();
    sensor.setParameters({9, 2, 1, 1, 0, 1});  // threshold 1000, relay 1 s = 20 samples
    h.request(20, {2});
    sensor.triggerMotion(8000, 1000);
    auto frames = h.replies(3000);
    ASSERT_GE(frames.size(), 60U);
    int peak = 0;
    int lastAbove = -1;
    int lastAlarm = -1;
    for (int i = 1; i < static_cast<int>(frames.size()); ++i) {
        const auto& p = frames[static_cast<std::size_t>(i)].payload;
        const int level = p[1] << 8 | p[2];
        peak = std::max(peak, level);
        if (level > 1000) {
            lastAbove = i;
            EXPECT_NE(p[3], 0);
        }
        if (p[3] != 0) {
            lastAlarm = i;
        }
    }
    EXPECT_GE(peak, 8000);
    EXPECT_EQ(lastAlarm - lastAbove, 20);
}

TEST(ZelSensor, RandomMotionShowsBelievableEventsOverALongRun) {
    DeviceConfig config;
    config.seed = 42;
    SimHarness h(true, config);
    h.request(20, {2});
    int quiet = 0;
    int events = 0;
    int above20000 = 0;
    for (int minute = 0; minute < 20; ++minute) {
        for (const auto& f : h.replies(60000)) {
            if (f.command != 23) {
                continue;
            }
            const int level = f.payload[1] << 8 | f.payload[2];
            const bool alarm = f.payload[3] != 0;
            quiet += level < 700 && !alarm ? 1 : 0;
            events += level > 2000 ? 1 : 0;
            above20000 += level > 20000 ? 1 : 0;
            if (level > SignalModel::alarmThreshold(5)) {
                EXPECT_TRUE(alarm);
            }
        }
    }
    // Mostly noise floor, with events now and then, some of them large.
    EXPECT_GT(quiet, 24000 / 2);
    EXPECT_GT(events, 100);
    EXPECT_GT(above20000, 0);
}

}  // namespace
}  // namespace quarn::sim
