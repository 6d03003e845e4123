#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/UsbLink.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::RecordingDriver;
using Calls = std::vector<std::string>;

TEST(OpenUsb, EnumeratesEveryIndexThenOpensByDescriptionAndResets) {
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

TEST(OpenUsb, ResultCodesOfTheDiscovery) {
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

TEST(CloseUsb, ClosesOnceAndNeverReusesTheHandle) {
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
    std::int16_t writeIdx = 0;
    std::array<std::uint8_t, 10> ring{};
    EXPECT_EQ(usb.close(), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.reset(), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.write(Bytes{1, 2, 3}, 3), LinkStatus::DriverFailed);
    EXPECT_EQ(usb.read(ring, 0, writeIdx, 10), LinkStatus::DriverFailed);
    EXPECT_TRUE(driver.calls.empty());
    EXPECT_EQ(driver.staleHandleUses, 0);

    ASSERT_EQ(usb.open(), LinkStatus::Open);
    EXPECT_EQ(driver.calls.back(), "ResetDevice(h2)");  // a fresh handle
}

TEST(WriteUsb, PurgesThenWritesAndCountsShortWritesAsFailures) {
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
    LinkStatus read(std::int16_t readIdx, std::int16_t& writeIdx) {
        return usb.read(ring, readIdx, writeIdx, kRingSize);
    }
    RecordingDriver driver;
    UsbLink usb{driver};
    std::array<std::uint8_t, kRingSize + 1> ring{};
};

TEST(ReadUsb, TakesWhatIsWaitingUpToTheScratchAndTheFreeRoom) {
    struct Case {
        std::int16_t readIdx;
        std::int16_t writeIdx;
        std::size_t waiting;
        std::size_t expectedRead;
    };
    const std::vector<Case> cases = {
        {10, 5, 100, 4},         // readIdx > writeIdx: 10 - 5 - 1
        {5, 10, 3000, 1994},     // 2000 - 5 - 1
        {700, 700, 2500, 1999},  // empty ring: 501 stay in the driver
        {0, 0, 0, 0},            // nothing waiting: no read at all
    };
    for (const Case& c : cases) {
        RingRead r;
        r.driver.queueRx(Bytes(c.waiting, 0x5A));
        std::int16_t writeIdx = c.writeIdx;
        EXPECT_EQ(r.read(c.readIdx, writeIdx), LinkStatus::Open);
        Calls expected{"GetQueueStatus(h1)", "SetTimeouts(h1, 5000, 0)"};
        if (c.waiting > 0) {
            expected.push_back("Read(h1, " + std::to_string(c.expectedRead) + ")");
        }
        EXPECT_EQ(r.driver.calls, expected);
        EXPECT_EQ(writeIdx, static_cast<std::int16_t>((c.writeIdx + c.expectedRead) % kRingSize));
        EXPECT_EQ(r.driver.rxQueue.size(), c.waiting - c.expectedRead);
        EXPECT_EQ(r.ring[kRingSize], 0);  // the spare slot is never written
    }

    RingRead wrap;
    wrap.driver.queueRx({0x00, 0xFF, 0x01});
    std::int16_t writeIdx = 1998;
    EXPECT_EQ(wrap.read(1998, writeIdx), LinkStatus::Open);
    EXPECT_EQ(wrap.ring[1998], 0x00);
    EXPECT_EQ(wrap.ring[1999], 0xFF);
    EXPECT_EQ(wrap.ring[0], 0x01);
    EXPECT_EQ(writeIdx, 1);

    // A bigger ring shows the 5000-byte limit of one read; a size larger than
    // the ring is cut to the ring.
    std::vector<std::uint8_t> big(9000);
    writeIdx = 0;
    wrap.driver.queueRx(Bytes(7000, 0x01));
    EXPECT_EQ(wrap.usb.read(big, 0, writeIdx, 9000), LinkStatus::Open);
    EXPECT_EQ(writeIdx, 5000);
    std::vector<std::uint8_t> small(4);
    writeIdx = 0;
    EXPECT_EQ(wrap.usb.read(small, 0, writeIdx, 2000), LinkStatus::Open);
    EXPECT_EQ(writeIdx, 3);
}

TEST(ReadUsb, FailuresAndBadArgumentsLeaveTheRingUntouched) {
    for (const char* call : {"GetQueueStatus", "SetTimeouts", "Read"}) {
        RingRead r;
        r.driver.queueRx({0x11, 0x22});
        r.driver.failNext(call);
        std::int16_t writeIdx = 3;
        EXPECT_EQ(r.read(3, writeIdx), LinkStatus::DriverFailed) << call;
        EXPECT_EQ(writeIdx, 3);
        EXPECT_EQ(r.ring[3], 0);
    }
    RingRead r;
    r.driver.queueRx({0x01});
    std::int16_t writeIdx = 2000;
    EXPECT_EQ(r.read(0, writeIdx), LinkStatus::DriverFailed);
    writeIdx = 0;
    EXPECT_EQ(r.read(-1, writeIdx), LinkStatus::DriverFailed);
    EXPECT_TRUE(r.driver.calls.empty());
}

TEST(ReadUsb, DriverOverReportingCannotOverrunTheRing) {
    RingRead r;
    r.driver.queueRx(Bytes(10, 0x77));
    r.driver.readOverReport = 4000;
    std::int16_t writeIdx = 0;
    EXPECT_EQ(r.read(0, writeIdx), LinkStatus::Open);
    EXPECT_EQ(writeIdx, 10);

    // The queue claims far more than it holds: the ring still keeps its free slot.
    r.driver.queueRx(Bytes(10, 0x78));
    r.driver.reportedWaiting = 60000;
    EXPECT_EQ(r.read(10, writeIdx), LinkStatus::Open);
    EXPECT_EQ(writeIdx, 9);
    EXPECT_EQ(r.ring[kRingSize], 0);
}

}  // namespace
}  // namespace quarn::link
