#include <gtest/gtest.h>
#include <array>

#include <vector>

#include "link/ReceiveState.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::PutInRing;

// Runs the extractor until the ring is drained; returns every frame found.
std::vector<Bytes> Drain(ReceiveState& state) {
    std::vector<Bytes> frames;
    while (extractMsg(state)) {
        frames.emplace_back(state.msgBuffer.begin(), state.msgBuffer.begin() + state.msgLen);
    }
    return frames;
}

std::vector<Bytes> Extract(const Bytes& wire) {
    ReceiveState state;
    PutInRing(state, wire);
    return Drain(state);
}

TEST(ExtractMsg, IdentityRequestFrameThenTheEndByteIsSkipped) {
    ReceiveState state;
    PutInRing(state, {0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03});
    ASSERT_TRUE(extractMsg(state));
    EXPECT_EQ(state.msgLen, 7);
    EXPECT_EQ(Bytes(state.msgBuffer.begin(), state.msgBuffer.begin() + 7),
              (Bytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03}));
    EXPECT_EQ(state.rxIdxOut, 6);  // still on the 0x03
    EXPECT_FALSE(extractMsg(state));
    EXPECT_EQ(state.rxIdxOut, 7);
    EXPECT_EQ(state.msgPos, 0);
}

TEST(ExtractMsg, DoubledMarkersAreHeldOnce) {
    const auto frames = Extract({0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}));
}

TEST(ExtractMsg, StartRestartAndDropRules) {
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

TEST(ExtractMsg, ShortestFrameHasLengthFour) {
    const auto frames = Extract({0x01, 0x02, 0x01, 0x03});
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0], (Bytes{0x01, 0x02, 0x01, 0x03}));
}

TEST(ExtractMsg, FrameWrappingPastTheRingEndIsAssembledWhole) {
    ReceiveState state;
    state.rxIdxIn = 1998;
    state.rxIdxOut = 1998;
    PutInRing(state, {0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03});
    EXPECT_EQ(state.rxIdxIn, 7);
    EXPECT_EQ(state.rxBuffer[0], 0x01);  // the third byte wrapped to index 0
    EXPECT_EQ(bufferedBytes(state), 9);
    ASSERT_TRUE(extractMsg(state));
    EXPECT_EQ(Bytes(state.msgBuffer.begin(), state.msgBuffer.begin() + state.msgLen),
              (Bytes{0x01, 0x02, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}));
    EXPECT_FALSE(extractMsg(state));
    EXPECT_EQ(state.rxIdxOut, 7);
    EXPECT_EQ(state.rxBuffer[kRingSize], 0);  // the spare slot is never written
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

TEST(ExtractMsg, FramesLongerThan74KeepTheirFirst73Bytes) {
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
    ReceiveState state;
    Bytes runaway{0x01, 0x02};
    runaway.insert(runaway.end(), 1500, 0x42);
    runaway.insert(runaway.end(), {0x01, 0x03});
    PutInRing(state, runaway);
    ASSERT_TRUE(extractMsg(state));
    EXPECT_EQ(state.msgLen, 74);
    EXPECT_EQ(state.msgBuffer[74], 0);
    EXPECT_EQ(state.msgBuffer[75], 0);
}

TEST(ExtractMsg, CorruptedIndicesAreBroughtBackIntoTheRing) {
    ReceiveState state;
    state.rxIdxIn = 2000;
    state.rxIdxOut = -7;
    state.msgPos = 500;
    EXPECT_FALSE(extractMsg(state));
    EXPECT_EQ(bufferedBytes(state), 0);
    EXPECT_EQ(state.msgPos, 0);
}

}  // namespace
}  // namespace quarn::link
