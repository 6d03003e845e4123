#include <gtest/gtest.h>
#include <array>

#include <vector>

#include "link/FrameExtractor.h"
#include "link/ReceiveRing.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::PutInRing;

Bytes Held(const FrameExtractor& extractor) {
    return Bytes(extractor.frame().begin(), extractor.frame().begin() + extractor.length());
}

// Runs the extractor until the ring is drained; returns every frame found.
std::vector<Bytes> Drain(ReceiveRing& ring, FrameExtractor& extractor) {
    std::vector<Bytes> frames;
    while (extractor.extract(ring)) {
        frames.push_back(Held(extractor));
    }
    return frames;
}

std::vector<Bytes> Extract(const Bytes& wire) {
    ReceiveRing ring;
    FrameExtractor extractor;
    PutInRing(ring, wire);
    return Drain(ring, extractor);
}

TEST(FrameExtractor, IdentityRequestFrameThenTheEndByteIsSkipped) {
    ReceiveRing ring;
    FrameExtractor extractor;
    const Bytes request{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03};
    PutInRing(ring, request);
    ASSERT_TRUE(extractor.extract(ring));
    EXPECT_EQ(extractor.length(), 7);
    EXPECT_EQ(Held(extractor), request);
    EXPECT_EQ(ring.bufferedBytes(), 1);  // the 0x03 is still waiting
    EXPECT_FALSE(extractor.extract(ring));
    EXPECT_EQ(ring.bufferedBytes(), 0);
    // Idle again: the next frame comes through whole.
    PutInRing(ring, request);
    EXPECT_EQ(Drain(ring, extractor), std::vector<Bytes>{request});
}

TEST(FrameExtractor, DoubledMarkersAreHeldOnce) {
    const auto frames = Extract({0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}));
}

TEST(FrameExtractor, StartRestartAndDropRules) {
    // 01 01 02: the frame starts at the second 01.
    auto frames = Extract({0x01, 0x01, 0x02, 0x07, 0x00, 0x07, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x07, 0x00, 0x07, 0x01, 0x03}));

    // 01 02 05 01 07: dropped at the 07; bytes up to the next 01 are skipped,
    // and a complete frame after them still comes through.
    frames = Extract(
        {0x01, 0x02, 0x05, 0x01, 0x07, 0x09, 0x03, 0x02, 0x01, 0x02, 0x09, 0x00, 0x09, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x09, 0x00, 0x09, 0x01, 0x03}));

    // 01 02 05 01 02 06 ...: restart, the held frame begins 01 02 06.
    frames = Extract({0x01, 0x02, 0x05, 0x01, 0x02, 0x06, 0x00, 0x06, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x06, 0x00, 0x06, 0x01, 0x03}));

    // A lone 01 followed by something else is noise.
    EXPECT_TRUE(Extract({0x01, 0x05, 0x03, 0x01, 0x03, 0xFF}).empty());
}

TEST(FrameExtractor, ShortestFrameHasLengthFour) {
    const auto frames = Extract({0x01, 0x02, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x01, 0x03}));
}

TEST(FrameExtractor, FrameWrappingPastTheRingEndIsAssembledWhole) {
    ReceiveRing ring;
    FrameExtractor extractor;
    PutInRing(ring, Bytes(1998, 0x00));  // examined as noise: the ring's end is two bytes away
    EXPECT_TRUE(Drain(ring, extractor).empty());
    PutInRing(ring, {0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03});
    EXPECT_EQ(ring.bufferedBytes(), 9);
    EXPECT_EQ(ring.unexaminedRun().size(), 2U);  // the third byte wrapped to the ring's start
    ASSERT_TRUE(extractor.extract(ring));
    EXPECT_EQ(Held(extractor), (Bytes{0x01, 0x02, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}));
    EXPECT_FALSE(extractor.extract(ring));
    EXPECT_EQ(ring.bufferedBytes(), 0);
}

TEST(FrameExtractor, FrameSplitBetweenCallsIsKeptAcrossThem) {
    ReceiveRing ring;
    FrameExtractor extractor;
    // Split inside a doubled 0x01: the pending escape carries over too.
    PutInRing(ring, {0x01, 0x02, 0x05, 0x01});
    EXPECT_FALSE(extractor.extract(ring));
    PutInRing(ring, {0x01, 0x00, 0x06, 0x01, 0x03});
    ASSERT_TRUE(extractor.extract(ring));
    EXPECT_EQ(Held(extractor), (Bytes{0x01, 0x02, 0x05, 0x01, 0x00, 0x06, 0x01, 0x03}));
}

// Command 0x20 with a payload of 0x10 bytes and the given checksum bytes.
Bytes CommandTwentyFrame(std::size_t payloadLength, std::array<std::uint8_t, 2> checksum) {
    Bytes frame(payloadLength + 7, 0x10);
    frame[0] = 0x01;
    frame[1] = 0x02;
    frame[2] = 0x20;
    frame[payloadLength + 3] = checksum[0];
    frame[payloadLength + 4] = checksum[1];
    frame[payloadLength + 5] = 0x01;
    frame[payloadLength + 6] = 0x03;
    return frame;
}

TEST(FrameExtractor, FramesLongerThan74KeepTheirFirst73Bytes) {
    // Unescaped length 74 (payload of 67 bytes, no 0x01 in the body): held whole.
    const Bytes wire74 = CommandTwentyFrame(67, {0x04, 0x50});
    ASSERT_EQ(wire74.size(), 74U);
    auto frames = Extract(wire74);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], wire74);

    // Length 75: positions 0..72 kept, the end pair's 0x01 falls away.
    const Bytes wire75 = CommandTwentyFrame(68, {0x04, 0x60});
    frames = Extract(wire75);
    ASSERT_EQ(frames.size(), 1U);
    Bytes expected(wire75.begin(), wire75.begin() + 73);
    expected.push_back(0x03);
    EXPECT_EQ(frames[0], expected);

    // A runaway frame never stores past its limit.
    ReceiveRing ring;
    FrameExtractor extractor;
    Bytes runaway{0x01, 0x02};
    runaway.insert(runaway.end(), 1500, 0x42);
    runaway.insert(runaway.end(), {0x01, 0x03});
    PutInRing(ring, runaway);
    ASSERT_TRUE(extractor.extract(ring));
    EXPECT_EQ(extractor.length(), 74);
    EXPECT_EQ(extractor.frame()[74], 0);
    EXPECT_EQ(extractor.frame()[75], 0);
}

}  // namespace
}  // namespace quarn::link
