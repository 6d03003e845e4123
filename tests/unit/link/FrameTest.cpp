#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "link/Frame.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;

struct SendRow {
    std::uint8_t command;
    Bytes payload;
    Bytes wire;
    const char* logLine;
};

TEST(EncodeMessage, WorkedExamplesGiveTheirWireBytesAndLogLines) {
    const std::vector<SendRow> rows = {
        {0x00, {}, {0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03}, "01020000000103"},
        {0x01, {0x14}, {0x01, 0x02, 0x01, 0x01, 0x14, 0x00, 0x15, 0x01, 0x03}, "0102011400150103"},
        // The checksum's low byte 0x01 is doubled like any body byte.
        {0x01,
         {0x00},
         {0x01, 0x02, 0x01, 0x01, 0x00, 0x00, 0x01, 0x01, 0x01, 0x03},
         "0102010000010103"},
    };
    for (const auto& row : rows) {
        const EncodedMessage encoded = encodeMessage(Command{row.command}, row.payload,
                                                     static_cast<std::int16_t>(row.payload.size()));
        EXPECT_EQ(encoded.wire, row.wire) << row.logLine;
        EXPECT_EQ(encoded.logLine, row.logLine);
    }
}

TEST(EncodeMessage, MarkerPairsInsideThePayloadAreEscaped) {
    const Bytes payload{0x01, 0x03, 0x01, 0x02};
    const EncodedMessage encoded = encodeMessage(Command{0x04}, payload, 4);
    // sum 4 + 1 + 3 + 1 + 2 = 11
    const Bytes expected{0x01, 0x02, 0x04, 0x01, 0x01, 0x03, 0x01,
                         0x01, 0x02, 0x00, 0x0B, 0x01, 0x03};
    EXPECT_EQ(encoded.wire, expected);
    EXPECT_EQ(encoded.logLine, "01020401030102000B0103");
}

TEST(EncodeMessage, LongestPayloadOfFFSumsTo18870HighByteFirst) {
    const std::array<std::uint8_t, 73> payload = [] {
        std::array<std::uint8_t, 73> p{};
        p.fill(0xFF);
        return p;
    }();
    EXPECT_EQ(calcChecksum(Bytes(74, 0xFF), 74, ChecksumSpan::WholeMessage), 18870);
    const EncodedMessage encoded = encodeMessage(Command{0xFF}, payload, 73);
    ASSERT_EQ(encoded.wire.size(), 80U);  // 76 message bytes, no 0x01 among them
    EXPECT_EQ(encoded.wire[76], 0x49);
    EXPECT_EQ(encoded.wire[77], 0xB6);
    EXPECT_EQ(encoded.logLine.size(), 4U + 76 * 2 + 4);
}

TEST(EncodeMessage, CountIsLimitedToThePayloadAndTheWorkArea) {
    const Bytes two{0x10, 0x20};
    EXPECT_EQ(encodeMessage(Command{0x02}, two, 50).wire,
              encodeMessage(Command{0x02}, two, 2).wire);
    EXPECT_EQ(encodeMessage(Command{0x02}, two, -3).wire, encodeMessage(Command{0x02}, {}, 0).wire);
    const Bytes big(200, 0x22);
    EXPECT_EQ(encodeMessage(Command{0x02}, big, 200).wire.size(), 80U);
}

TEST(CalcChecksum, SummedRangeFollowsTheSpanAndStaysInsideTheData) {
    constexpr auto kWhole = ChecksumSpan::WholeMessage;
    constexpr auto kHeld = ChecksumSpan::HeldFrame;
    const Bytes identityRequest{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03};
    EXPECT_EQ(calcChecksum(identityRequest, 7, kHeld), 0);  // only position 2
    const Bytes shortest{0x01, 0x02, 0x01, 0x03};
    EXPECT_EQ(calcChecksum(shortest, 4, kHeld), 0);  // empty range
    EXPECT_EQ(calcChecksum(shortest, 4, kWhole), 7);
    const Bytes held{0x01, 0x02, 0x30, 0x40, 0x00, 0x70, 0x01, 0x03};
    EXPECT_EQ(calcChecksum(held, 8, kHeld), 0x70);  // positions 2 to length-5
    EXPECT_EQ(calcChecksum(held, 8, kWhole), 0xE7);
    // Lengths beyond the data, negative or zero never read outside it.
    EXPECT_EQ(calcChecksum(shortest, 30000, kWhole), 7);
    EXPECT_EQ(calcChecksum(shortest, 30000, kHeld), 4);
    EXPECT_EQ(calcChecksum(shortest, -5, kWhole), 0);
    EXPECT_EQ(calcChecksum({}, 10, kHeld), 0);
}

TEST(HexForms, BytesAndVersionWords) {
    EXPECT_EQ(hexByte(0x0A), "0A");
    EXPECT_EQ(hexByte(0xFF), "FF");
    EXPECT_EQ(hexByte(0x00), "00");
    EXPECT_EQ(hexText(Bytes{0x01, 0xAB, 0x3C}), "01AB3C");
    EXPECT_EQ(hexWord(0x0102), "102");
    EXPECT_EQ(hexWord(0x0A05), "A05");
    EXPECT_EQ(hexWord(0x0010), "010");
    EXPECT_EQ(hexWord(0), "000");
    EXPECT_EQ(hexWord(0xFFFF), "FFFF");
    EXPECT_FALSE(hexWord(-1).empty());  // out of range, still a text
}

}  // namespace
}  // namespace quarn::link
