#include <gtest/gtest.h>

#include "SimHarness.h"

namespace quarn::sim {
namespace {

using testing::Bytes;
using testing::SimHarness;

DeviceConfig quietSensor() {
    DeviceConfig config;
    config.randomMotion = false;
    return config;
}

TEST(FaultInjection, CertainFaultsAlwaysHappen) {
    SimHarness h(true, quietSensor());
    h.adapter.setDropReplyRate(1.0);
    h.request(0);
    h.request(2);
    EXPECT_TRUE(h.replies().empty());
    EXPECT_EQ(h.adapter.repliesSent(1), 0U);

    h.adapter.setDropReplyRate(0.0);
    h.adapter.setCorruptChecksumRate(1.0);
    h.request(0);
    auto frames = h.replies();
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].payload.size(), 16U);
    EXPECT_FALSE(frames[0].checksumOk);

    // A short reply loses payload from its end but its checksum fits;
    // a reply without payload cannot be cut.
    h.adapter.setCorruptChecksumRate(0.0);
    h.adapter.setShortReplyRate(1.0);
    h.request(2);
    h.request(4, {1, 1, 1, 1, 1, 1});
    frames = h.replies();
    ASSERT_EQ(frames.size(), 2U);
    EXPECT_EQ(frames[0].command, 3);
    EXPECT_LT(frames[0].payload.size(), 6U);
    EXPECT_TRUE(frames[0].checksumOk);
    EXPECT_EQ(frames[1].command, 5);
    EXPECT_TRUE(frames[1].checksumOk);
}

TEST(FaultInjection, NoiseArrivesAsInjectedAndFloodsAtItsRate) {
    SimHarness h(false);
    const Bytes noise{0x01, 0x02, 0x03, 0xFF, 0x00};
    h.adapter.injectNoise(noise);
    EXPECT_EQ(h.readAll(), noise);

    h.adapter.setNoiseFlood(1000);
    h.clock.advance(2000);
    EXPECT_EQ(h.waiting(), 2000U);
    h.clock.advance(1500);
    EXPECT_EQ(h.readAll().size(), 3500U);

    // Nobody reading: the driver's queue stops at its capacity.
    h.adapter.setNoiseFlood(100000);
    h.clock.advance(60000);
    EXPECT_EQ(h.waiting(), Adapter::kQueueCapacity);
    h.adapter.setNoiseFlood(0);
    h.readAll();
    h.clock.advance(1000);
    EXPECT_EQ(h.waiting(), 0U);
}

TEST(FaultInjection, SameSeedGivesTheSameLineAndAnotherSeedDoesNot) {
    const auto run = [](std::uint32_t seed) {
        SimHarness h(true, quietSensor());
        h.adapter.setSeed(seed);
        h.adapter.setDropReplyRate(0.3);
        h.adapter.setCorruptChecksumRate(0.3);
        h.adapter.setShortReplyRate(0.3);
        h.adapter.setNoiseFlood(200);
        h.request(20, {2});
        Bytes line;
        for (int i = 0; i < 40; ++i) {
            h.request(static_cast<std::uint8_t>(i % 2 == 0 ? 0 : 2));
            h.clock.advance(50);
            const Bytes part = h.readAll();
            line.insert(line.end(), part.begin(), part.end());
        }
        return line;
    };
    const Bytes first = run(11);
    EXPECT_GT(first.size(), 500U);
    EXPECT_EQ(run(11), first);
    EXPECT_NE(run(12), first);
}

TEST(FaultInjection, DeviceTypeChangeTurnsTheSensorIntoAnotherDevice) {
    SimHarness h(true, quietSensor());
    h.adapter.setReplyDelayMs(0);
    h.request(20, {2});
    h.replies(200);
    DeviceConfig other;
    other.type = 0x0102;
    h.adapter.attachDevice(other);
    EXPECT_EQ(h.adapter.zelSensor(), nullptr);
    h.request(0);
    h.request(2);
    const auto frames = h.replies(1000);
    // The old sensor's stream ended with it: only the new identity comes.
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 1);
    EXPECT_EQ(frames[0].payload[1], 0x02);
}

}  // namespace
}  // namespace quarn::sim
