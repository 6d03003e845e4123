#include <gtest/gtest.h>

#include <random>

#include "SimHarness.h"

namespace quarn::sim {
namespace {

using testing::Bytes;
using testing::SimHarness;

TEST(SimFrameCodec, EncodesWithChecksumAndDoubledMarkerBytes) {
    EXPECT_EQ(encodeFrame(0x00, {}), (Bytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03}));
    EXPECT_EQ(encodeFrame(0x01, Bytes{0x14}),
              (Bytes{0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}));
    // The checksum's low byte 0x01 is doubled like any body byte.
    EXPECT_EQ(encodeFrame(0x01, Bytes{0x00}),
              (Bytes{0x01, 0x02, 0x01, 0x01, 0x00, 0x00, 0x01, 0x01, 0x01, 0x03}));
    const Bytes full(73, 0xFF);
    EXPECT_EQ(frameChecksum(0xFF, full), 0x49B6);
}

TEST(SimFrameCodec, DecoderResynchronisesOnBrokenInput) {
    const auto frames = SimHarness::decode({
        0x55, 0x03,                                                  // noise outside frames
        0x01, 0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03,  // 01 01 02 starts late
        0x01, 0x02, 0x05, 0x01, 0x07, 0x09,                          // lone 01: dropped
        0x01, 0x02, 0x05, 0x01, 0x02, 0x07, 0x00, 0x07, 0x01, 0x03,  // restart inside
        0x01, 0x02, 0x05, 0x01, 0x03,                                // too short to hold a checksum
        0x01, 0x02, 0x05, 0x00, 0x06, 0x01, 0x03,                    // wrong checksum
    });
    ASSERT_EQ(frames.size(), 3U);
    EXPECT_EQ(frames[0].command, 0x01);
    EXPECT_EQ(frames[0].payload, Bytes{0x14});
    EXPECT_TRUE(frames[0].checksumOk);
    EXPECT_EQ(frames[1].command, 0x07);
    EXPECT_TRUE(frames[1].payload.empty());
    EXPECT_TRUE(frames[1].checksumOk);
    EXPECT_EQ(frames[2].command, 0x05);
    EXPECT_FALSE(frames[2].checksumOk);
}

TEST(SimFrameCodec, DecoderDropsOverlongBodyAndKeepsTheNextFrame) {
    // Start pair, an overlong body of 0x33 bytes, end pair.
    Bytes wire(FrameDecoder::kMaxBody + 14, 0x33);
    wire[0] = 0x01;
    wire[1] = 0x02;
    wire[wire.size() - 2] = 0x01;
    wire[wire.size() - 1] = 0x03;
    const Bytes next = encodeFrame(0x21, {});
    wire.insert(wire.end(), next.begin(), next.end());
    const auto frames = SimHarness::decode(wire);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0].command, 0x21);
}

TEST(SimFrameCodec, RoundTripsRandomFramesAndSurvivesRandomBytes) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> byte(0, 255);
    // Bias towards the marker values, which are the interesting ones.
    std::uniform_int_distribution<int> marker(1, 3);
    for (int round = 0; round < 500; ++round) {
        Bytes payload(static_cast<std::size_t>(byte(rng) % 74));
        for (auto& b : payload) {
            b = static_cast<std::uint8_t>(byte(rng) < 96 ? marker(rng) : byte(rng));
        }
        const auto command = static_cast<std::uint8_t>(byte(rng));
        const auto frames = SimHarness::decode(encodeFrame(command, payload));
        ASSERT_EQ(frames.size(), 1U);
        EXPECT_EQ(frames[0].command, command);
        EXPECT_EQ(frames[0].payload, payload);
        EXPECT_TRUE(frames[0].checksumOk);
    }
    FrameDecoder decoder;
    for (int i = 0; i < 200000; ++i) {
        const auto b = static_cast<std::uint8_t>(byte(rng) < 64 ? marker(rng) : byte(rng));
        if (auto frame = decoder.feed(b)) {
            EXPECT_LE(frame->payload.size(), FrameDecoder::kMaxBody - 3);
        }
    }
}

}  // namespace
}  // namespace quarn::sim
