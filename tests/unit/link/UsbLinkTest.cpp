#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/ReceiveRing.h"
#include "link/UsbLink.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::RecordingDriver;
using Calls = std::vector<std::string>;

TEST(UsbLinkOpen, EnumeratesEveryIndexThenOpensByDescriptionAndResets) {
    RecordingDriver driver;
    driver.addAdapter("USB Serial");
    driver.addAdapter("QuarnProg");
    UsbLink usb(driver);
    EXPECT_EQ(usb.open(), LinkStatus::Open);
    EXPECT_EQ(driver.calls,
              (Calls{"ListDevices(&count, null, 0x80000000)", "ListDevices(0, blank, 0x40000002)",
                     "ListDevices(1, blank, 0x40000002)", "OpenEx(\"QuarnProg\", 2)",
                     "ResetDevice(h1)"}));

    // Already open: trusted without a driver call, even with the adapter gone.
    driver.clearCalls();
    driver.adapters.clear();
    EXPECT_EQ(usb.open(), LinkStatus::Open);
    EXPECT_TRUE(driver.calls.empty());
}

TEST(UsbLinkOpen, ResultCodesOfTheDiscovery) {
    struct Case {
        std::vector<RecordingDriver::Adapter> adapters;
        const char* failing;  // the next call of this name fails
        LinkStatus expected;
    };
    const std::vector<Case> cases = {
        {{{"QuarnProg2"}}, nullptr, LinkStatus::NotFound},
        {{{"quarnprog"}}, nullptr, LinkStatus::NotFound},
        {{{"QuarnProg "}}, nullptr, LinkStatus::NotFound},
        {{{""}}, nullptr, LinkStatus::NotFound},
        // Without a NUL the whole 100-character buffer is the text, and
        // nothing past it is read.
        {{{"QuarnProg", false}}, nullptr, LinkStatus::NotFound},
        {{{std::string(100, 'Q'), false}}, nullptr, LinkStatus::NotFound},
        {{{"QuarnProg"}, {"QuarnProg"}}, nullptr, LinkStatus::MoreThanOne},
        // One of two matching adapters refuses its description: one match.
        {{{"QuarnProg", true, ft::kDeviceNotOpened}, {"QuarnProg"}}, nullptr, LinkStatus::Open},
        {{{"QuarnProg"}}, "ListDevices", LinkStatus::DriverFailed},  // the count query
        {{{"QuarnProg"}}, "OpenEx", LinkStatus::DriverFailed},
        {{{"QuarnProg"}}, "ResetDevice", LinkStatus::Open},  // the reset's result is not examined
    };
    for (const Case& c : cases) {
        RecordingDriver driver;
        driver.adapters = c.adapters;
        if (c.failing != nullptr) {
            driver.failNext(c.failing);
        }
        UsbLink usb(driver);
        const std::string what = driver.adapters[0].description + " / " +
                                 (c.failing ? c.failing : "") + " / " +
                                 std::to_string(static_cast<int>(c.expected));
        EXPECT_EQ(usb.open(), c.expected) << what;
        EXPECT_EQ(usb.isOpen(), c.expected == LinkStatus::Open) << what;
        EXPECT_EQ(driver.openHandles(), c.expected == LinkStatus::Open ? 1 : 0) << what;
    }

    // A driver reporting an absurd device count does not hang the enumeration.
    RecordingDriver absurd;
    absurd.reportedCount = 0xFFFFFFFFU;
    absurd.recording = false;
    UsbLink usb(absurd);
    EXPECT_EQ(usb.open(), LinkStatus::NotFound);
}

TEST(UsbLinkClose, ClosesOnceAndNeverReusesTheHandle) {
    RecordingDriver driver;
    driver.addAdapter("QuarnProg");
    UsbLink usb(driver);
    EXPECT_EQ(usb.close(), LinkStatus::DriverFailed);  // nothing open: no driver call
    EXPECT_TRUE(driver.calls.empty());

    ASSERT_EQ(usb.open(), LinkStatus::Open);
    driver.failNext("Close");
    EXPECT_EQ(usb.close(), LinkStatus::DriverFailed);
    EXPECT_FALSE(usb.isOpen());  // a failed close still leaves it closed

    driver.clearCalls();
    ReceiveRing ring;
    EXPECT_EQ(usb.close(), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.reset(), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.write(Bytes{1, 2, 3}, 3), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.read(ring), LinkStatus::DriverFailed);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(driver.staleHandleUses, 0);

    ASSERT_EQ(usb.open(), LinkStatus::Open);
    EXPECT_EQ(driver.calls.back(), "ResetDevice(h2)");  // a fresh handle
}

TEST(UsbLinkWrite, PurgesThenWritesAndCountsShortWritesAsFailures) {
    RecordingDriver driver;
    driver.addAdapter("QuarnProg");
    UsbLink usb(driver);
    ASSERT_EQ(usb.open(), LinkStatus::Open);
    driver.clearCalls();
    driver.queueRx({0x55, 0x66});
    const Bytes bytes{0x00, 0x01, 0xFF, 0x7F};
    EXPECT_EQ(usb.write(bytes, 4), LinkStatus::Open);
    EXPECT_EQ(driver.calls, (Calls{"Purge(h1, 3)", "Write(h1, 4)"}));
    EXPECT_EQ(driver.writes.back(), bytes);  // every value unchanged
    EXPECT_TRUE(driver.rxQueue.empty());     // the purge dropped what was waiting
    EXPECT_EQ(usb.write(bytes, 2), LinkStatus::Open);
    EXPECT_EQ(driver.writes.back(), (Bytes{0x00, 0x01}));
    EXPECT_EQ(usb.write(bytes, 99), LinkStatus::Open);  // never past the bytes given
    EXPECT_EQ(driver.writes.back(), bytes);

    driver.writtenOverride = 3;
    EXPECT_EQ(usb.write(bytes, 4), LinkStatus::DriverFailed);
    driver.writtenOverride = 9;  // more than asked is no success either
    EXPECT_EQ(usb.write(bytes, 4), LinkStatus::DriverFailed);
    driver.writtenOverride.reset();
    driver.failNext("Write");
    EXPECT_EQ(usb.write(bytes, 4), LinkStatus::DriverFailed);
    driver.clearCalls();
    driver.failNext("Purge");
    EXPECT_EQ(usb.write(bytes, 4), LinkStatus::DriverFailed);
    EXPECT_EQ(driver.calls, (Calls{"Purge(h1, 3)"}));
}

// An open link reading into a 2000-byte ring.
struct RingRead {
    RingRead() {
        driver.addAdapter("QuarnProg");
        usb.open();
        driver.clearCalls();
    }
    // A ring whose positions start at start and that holds buffered
    // unexamined bytes.
    RingRead(std::int16_t start, std::int16_t buffered) : RingRead() {
        ring.append(Bytes(static_cast<std::size_t>(start), 0x00));
        while (ring.bufferedBytes() > 0) {
            ring.markExamined(ring.unexaminedRun().size());
        }
        ring.append(Bytes(static_cast<std::size_t>(buffered), 0x00));
    }
    LinkStatus read() { return usb.read(ring); }
    RecordingDriver driver;
    UsbLink usb{driver};
    ReceiveRing ring;
};

// A read target larger than the ring, to show the limit of one read.
class LargeTarget final : public ReadTarget {
  public:
    explicit LargeTarget(std::size_t room) : room_(room) {}
    std::size_t freeRoom() const override { return room_ - bytes.size(); }
    void append(std::span<const std::uint8_t> more) override {
        bytes.insert(bytes.end(), more.begin(), more.end());
    }
    Bytes bytes;

  private:
    std::size_t room_;
};

TEST(UsbLinkRead, TakesWhatIsWaitingUpToTheScratchAndTheFreeRoom) {
    struct Case {
        std::int16_t start;
        std::int16_t buffered;
        std::size_t waiting;
        std::size_t expectedRead;
    };
    const std::vector<Case> cases = {
        {5, 1995, 100, 4},     // 2000 - 1995 - 1, the free room wrapping past the end
        {5, 5, 3000, 1994},    // 2000 - 5 - 1
        {700, 0, 2500, 1999},  // empty ring: 501 stay in the driver
        {0, 0, 0, 0},          // nothing waiting: no read at all
        {1990, 1999, 40, 0},   // full ring: a read of nothing is still asked for
    };
    for (const Case& c : cases) {
        RingRead r(c.start, c.buffered);
        r.driver.queueRx(Bytes(c.waiting, 0x5A));
        EXPECT_EQ(r.read(), LinkStatus::Open);
        Calls expected{"GetQueueStatus(h1)", "SetTimeouts(h1, 5000, 0)"};
        if (c.waiting > 0) {
            expected.push_back("Read(h1, " + std::to_string(c.expectedRead) + ")");
        }
        EXPECT_EQ(r.driver.calls, expected);
        EXPECT_EQ(r.ring.bufferedBytes(), c.buffered + static_cast<std::int16_t>(c.expectedRead));
        EXPECT_EQ(r.driver.rxQueue.size(), c.waiting - c.expectedRead);
    }

    RingRead wrap(1998, 0);
    wrap.driver.queueRx({0x00, 0xFF, 0x01});
    EXPECT_EQ(wrap.read(), LinkStatus::Open);
    auto run = wrap.ring.unexaminedRun();
    EXPECT_EQ(Bytes(run.begin(), run.end()), (Bytes{0x00, 0xFF}));
    wrap.ring.markExamined(2);
    run = wrap.ring.unexaminedRun();
    EXPECT_EQ(Bytes(run.begin(), run.end()), (Bytes{0x01}));

    // A bigger target shows the 5000-byte limit of one read; a smaller one
    // gets only its room.
    LargeTarget big(9000);
    wrap.driver.queueRx(Bytes(7000, 0x01));
    EXPECT_EQ(wrap.usb.read(big), LinkStatus::Open);
    EXPECT_EQ(big.bytes.size(), 5000U);
    LargeTarget small(3);
    EXPECT_EQ(wrap.usb.read(small), LinkStatus::Open);
    EXPECT_EQ(small.bytes, (Bytes{0x01, 0x01, 0x01}));
}

TEST(UsbLinkRead, FailuresLeaveTheRingUntouched) {
    for (const char* call : {"GetQueueStatus", "SetTimeouts", "Read"}) {
        RingRead r(3, 0);
        r.driver.queueRx({0x11, 0x22});
        r.driver.failNext(call);
        EXPECT_EQ(r.read(), LinkStatus::DriverFailed) << call;
        EXPECT_EQ(r.ring.bufferedBytes(), 0) << call;
    }
}

TEST(UsbLinkRead, DriverOverReportingCannotOverrunTheRing) {
    RingRead r;
    r.driver.queueRx(Bytes(10, 0x77));
    r.driver.readOverReport = 4000;
    EXPECT_EQ(r.read(), LinkStatus::Open);
    EXPECT_EQ(r.ring.bufferedBytes(), 10);
    r.ring.markExamined(10);

    // The queue claims far more than it holds: the ring still keeps its free slot.
    r.driver.queueRx(Bytes(10, 0x78));
    r.driver.reportedWaiting = 60000;
    EXPECT_EQ(r.read(), LinkStatus::Open);
    EXPECT_EQ(r.ring.bufferedBytes(), 1999);
    EXPECT_EQ(r.ring.freeRoom(), 0U);
}

}  // namespace
}  // namespace quarn::link
