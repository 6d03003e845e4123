#include <gtest/gtest.h>

#include "link/ReceiveRing.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;

Bytes Unexamined(const ReceiveRing& ring) {
    const auto run = ring.unexaminedRun();
    return Bytes(run.begin(), run.end());
}

TEST(ReceiveRing, HoldsAtMost1999BytesAndDropsTheRest) {
    ReceiveRing ring;
    EXPECT_EQ(ring.freeRoom(), 1999U);
    EXPECT_TRUE(ring.unexaminedRun().empty());
    Bytes bytes(2500, 0x11);
    bytes[1998] = 0x22;  // the last byte that fits
    ring.append(bytes);
    EXPECT_EQ(ring.bufferedBytes(), 1999);
    EXPECT_EQ(ring.freeRoom(), 0U);
    EXPECT_EQ(Unexamined(ring).back(), 0x22);

    ring.markExamined(1000);
    EXPECT_EQ(ring.bufferedBytes(), 999);
    EXPECT_EQ(ring.freeRoom(), 1000U);
    ring.markExamined(5000);  // never past the newest byte
    EXPECT_EQ(ring.bufferedBytes(), 0);
    EXPECT_EQ(ring.freeRoom(), 1999U);
}

TEST(ReceiveRing, BytesWrapAtTheEndAndKeepTheirOrder) {
    ReceiveRing ring;
    ring.append(Bytes(1998, 0x00));
    ring.markExamined(1998);
    ring.append(Bytes{0xA1, 0xA2, 0xA3, 0xA4});
    EXPECT_EQ(ring.bufferedBytes(), 4);
    EXPECT_EQ(Unexamined(ring), (Bytes{0xA1, 0xA2}));  // up to the ring's end
    ring.markExamined(2);
    EXPECT_EQ(Unexamined(ring), (Bytes{0xA3, 0xA4}));  // then on from its start
    EXPECT_EQ(ring.freeRoom(), 1997U);

    // Filled to the last free slot across the wrap, the oldest bytes still come first.
    ring.append(Bytes(1997, 0x55));
    EXPECT_EQ(ring.freeRoom(), 0U);
    EXPECT_EQ(Unexamined(ring).front(), 0xA3);
    EXPECT_EQ(Unexamined(ring).back(), 0x55);
    EXPECT_EQ(ring.bufferedBytes(), 1999);
}

}  // namespace
}  // namespace quarn::link
