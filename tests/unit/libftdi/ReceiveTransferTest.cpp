// The libftdi backend's receiving transfers against the stand-in: asking
// about the queue never waits on the chip, a chip that went idle still has
// a transfer to answer when a reply comes, a full queue leaves the rest in
// the chip without losing a byte, nothing received before a purge or a
// reset comes out after it, and no transfer outlives its adapter.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "drivers/libftdi/OpenAdapter.h"
#include "link/UsbLink.h"
#include "sim/SimFrameCodec.h"
#include "unit/libftdi/LibFtdiRig.h"

namespace quarn::libftdi::testing {
namespace {

using usbstand::AdapterFaults;
using usbstand::TransferCounts;

constexpr FtDword kQueueCapacity = 65536;
constexpr int kInFlight = static_cast<int>(OpenAdapter::kReceiveTransfers);
// The link's receive tick.
constexpr int kReceiveTickMs = 50;

class ReceiveTransferTest : public LibFtdiRig {
  protected:
    // The handle fails as a gone adapter's, and closing it leaves nothing
    // of it in libusb.
    void expectGoneAndClosedCleanly(FtHandle handle) {
        FtDword count = 0;
        Bytes buffer(8);
        EXPECT_EQ(driver.getQueueStatus(handle, &count), ft::kIoError);
        EXPECT_EQ(driver.read(handle, buffer.data(), 8, &count), ft::kIoError);
        EXPECT_EQ(driver.close(handle), ft::kOk);
        EXPECT_EQ(usbstand::transferCounts(), TransferCounts{});
        EXPECT_EQ(usbstand::openDeviceHandles(), 0);
    }
};

class ByteSink final : public link::ReadTarget {
  public:
    std::size_t freeRoom() const override { return 1 << 20; }
    void append(std::span<const std::uint8_t> bytes) override {
        got.insert(got.end(), bytes.begin(), bytes.end());
    }
    Bytes got;
};

TEST_F(ReceiveTransferTest, TheLinksReceiveCycleNeverWaitsOnTheChip) {
    sim::Adapter& adapter = plug();
    link::UsbLink link(driver);
    ASSERT_EQ(link.open(), link::LinkStatus::Open);
    ByteSink sink;
    adapter.setNoiseFlood(2000);
    usbstand::takeEventWaits();
    for (int tick = 0; tick < 60; ++tick) {
        clock.advance(50);
        if (tick == 20) {
            usbstand::setFaults(adapter.serialNumber(), AdapterFaults{.zeroLengthPackets = 3});
        }
        if (tick == 40) {
            usbstand::setFaults(adapter.serialNumber(), AdapterFaults{.inPacketData = 3});
        }
        ASSERT_EQ(link.read(sink), link::LinkStatus::Open) << tick;
    }
    const usbstand::EventWaits waits = usbstand::takeEventWaits();
    EXPECT_GE(waits.calls, 60);
    EXPECT_EQ(waits.longestUs, 0);
    EXPECT_GT(sink.got.size(), 5000U);

    // A read asking for more than the queue holds waits, for no longer than
    // its time-out.
    const FtHandle handle = link.handle();
    ASSERT_EQ(driver.setTimeouts(handle, 0, 0), ft::kOk);
    read(handle, 1000);
    EXPECT_EQ(usbstand::takeEventWaits().longestUs, 0);
    ASSERT_EQ(driver.setTimeouts(handle, 20, 0), ft::kOk);
    read(handle, 1000);
    const long longest = usbstand::takeEventWaits().longestUs;
    EXPECT_GT(longest, 0);
    EXPECT_LE(longest, 20'000);
}

TEST_F(ReceiveTransferTest, AReplyFromAChipThatWentIdleIsQueuedAtTheNextCall) {
    sim::Adapter& adapter = plug();
    const std::string serial = adapter.serialNumber();
    const FtHandle handle = open("QuarnProg");
    const Bytes request = sim::encodeFrame(0, {});  // identity request
    usbstand::takeEventWaits();
    for (int tick = 0; tick < 4; ++tick) {
        SCOPED_TRACE(tick);
        ASSERT_EQ(waiting(handle), 0U);
        // Between two receive ticks the idle chip answers transfer after
        // transfer with its status bytes alone as its latency timer runs
        // out; their callbacks wait for the next call.
        usbstand::passUsbTime(serial, kReceiveTickMs);
        ASSERT_EQ(write(handle, request), request.size());
        clock.advance(sim::Adapter::kDefaultReplyDelayMs);
        const auto reply = static_cast<FtDword>(adapter.bytesWaiting());
        ASSERT_GT(reply, 0U);
        EXPECT_EQ(waiting(handle), reply) << "the reply was held in the chip with no transfer";
        EXPECT_EQ(read(handle, reply).size(), reply);
    }
    EXPECT_EQ(usbstand::takeEventWaits().longestUs, 0);
}

TEST_F(ReceiveTransferTest, AFullQueueLeavesTheRestInTheChipAndLosesNothing) {
    sim::Adapter& adapter = plug();
    const FtHandle handle = open("QuarnProg");
    Bytes sent = countingBytes(kQueueCapacity);
    adapter.injectNoise(sent);
    const FtDword held = waiting(handle);
    EXPECT_LE(held, kQueueCapacity);
    EXPECT_GT(held, kQueueCapacity - 62) << "short of full by less than a packet";
    EXPECT_EQ(held + adapter.bytesWaiting(), kQueueCapacity) << "the rest waits in the chip";
    EXPECT_EQ(usbstand::transferCounts().inFlight, 0) << "no transfer while the queue is full";

    const Bytes more = countingBytes(20000, 99);  // more than the transfers in flight can take
    adapter.injectNoise(more);
    sent.insert(sent.end(), more.begin(), more.end());
    Bytes got;
    usbstand::takeEventWaits();
    while (got.size() < sent.size()) {
        const FtDword count = waiting(handle);
        ASSERT_GT(count, 0U);
        ASSERT_LE(count, kQueueCapacity);
        const Bytes piece = read(handle, std::min<FtDword>(count, 5000));
        got.insert(got.end(), piece.begin(), piece.end());
    }
    EXPECT_TRUE(got == sent) << "lost, doubled or reordered bytes";
    EXPECT_EQ(usbstand::takeEventWaits().longestUs, 0);
}

TEST_F(ReceiveTransferTest, PurgeAndResetDropWhatTheTransfersBroughtBeforeThem) {
    sim::Adapter& adapter = plug();
    const std::string serial = adapter.serialNumber();
    const FtHandle handle = open("QuarnProg");
    ASSERT_EQ(waiting(handle), 0U);
    for (const bool viaReset : {false, true}) {
        SCOPED_TRACE(viaReset ? "reset" : "purge");
        // Short packets: every transfer in flight takes some of them, their
        // callbacks not yet run; the rest stays in the chip.
        usbstand::setFaults(serial, AdapterFaults{.inPacketData = 3});
        adapter.injectNoise(countingBytes(30));
        usbstand::receiveIntoTransfers(serial);
        ASSERT_EQ(adapter.bytesWaiting(), 30U - 3U * kInFlight);
        usbstand::setFaults(serial, AdapterFaults{});

        ASSERT_EQ(viaReset ? driver.resetDevice(handle) : driver.purge(handle, ft::kPurgeRx),
                  ft::kOk);
        EXPECT_EQ(waiting(handle), 0U);
        adapter.injectNoise(countingBytes(5, 200));
        EXPECT_EQ(read(handle, 5), countingBytes(5, 200)) << "receiving goes on";
    }

    // Purging the transmit side keeps them.
    adapter.injectNoise(countingBytes(30));
    usbstand::receiveIntoTransfers(serial);
    ASSERT_EQ(driver.purge(handle, ft::kPurgeTx), ft::kOk);
    EXPECT_EQ(read(handle, 30), countingBytes(30));
    EXPECT_EQ(usbstand::transferCounts().abandoned, 0);
}

TEST_F(ReceiveTransferTest, ClosingLeavesNoTransferBehind) {
    sim::Adapter& adapter = plug();
    plug();
    const FtHandle handle = open("QuarnProg");
    adapter.injectNoise(countingBytes(30));
    // One transfer has its bytes and can no longer be cancelled; the others
    // are still pending.
    ASSERT_EQ(usbstand::passUsbTime(adapter.serialNumber(), 16), 1);
    ASSERT_EQ(usbstand::transferCounts(), (TransferCounts{kInFlight, kInFlight, 0}));
    ASSERT_EQ(driver.close(handle), ft::kOk);
    EXPECT_EQ(usbstand::transferCounts(), TransferCounts{});

    // A driver that goes with an adapter still open.
    auto other = std::make_unique<LibFtdiDriver>(log, sysfs.root());
    std::string description = "QuarnProg";
    FtHandle held = nullptr;
    ASSERT_EQ(other->openEx(description.data(), ft::kOpenByDescription, &held), ft::kOk);
    FtDword count = 0;
    ASSERT_EQ(other->getQueueStatus(held, &count), ft::kOk);
    ASSERT_EQ(usbstand::transferCounts().inFlight, kInFlight);
    other.reset();
    EXPECT_EQ(usbstand::transferCounts(), TransferCounts{});
    EXPECT_EQ(usbstand::openDeviceHandles(), 0);
    EXPECT_EQ(usbstand::liveContexts(), 1) << "only the listing context stays";
}

TEST_F(ReceiveTransferTest, AnAdapterGoneWhileATransferIsInFlightFailsAndClosesCleanly) {
    sim::Adapter& pulled = plug("Pulled");
    sim::Adapter& written = plug("Written to");
    sim::Adapter& vanishing = plug("Vanishing");

    // Pulled out while the transfer holds bytes received before.
    FtHandle handle = open("Pulled");
    pulled.injectNoise(countingBytes(30));
    usbstand::receiveIntoTransfers(pulled.serialNumber());
    bus.unplug(pulled);
    expectGoneAndClosedCleanly(handle);

    // Found gone by a write, the transfer still in flight.
    handle = open("Written to");
    ASSERT_EQ(waiting(handle), 0U);
    bus.unplug(written);
    EXPECT_EQ(write(handle, {1, 2, 3}, ft::kIoError), 0U);
    ASSERT_EQ(usbstand::transferCounts().inFlight, kInFlight);
    expectGoneAndClosedCleanly(handle);

    // Off the bus in the middle of a transfer, after 40 of 100 bytes: every
    // transfer behind it fails too, and the adapter is found gone once.
    handle = open("Vanishing");
    usbstand::setFaults(vanishing.serialNumber(), AdapterFaults{.vanishAfterBytes = 40});
    vanishing.injectNoise(countingBytes(100));
    expectGoneAndClosedCleanly(handle);
    EXPECT_EQ(std::count_if(log.lines.begin(), log.lines.end(),
                            [](const std::string& line) {
                                return line.find("\"Vanishing\"") != RecordingLog::npos &&
                                       line.find("gone") != RecordingLog::npos;
                            }),
              1);
    EXPECT_TRUE(
        log.has("receiving failed on \"Vanishing\": LIBUSB_ERROR_NO_DEVICE, the "
                "adapter is gone"));
}

}  // namespace
}  // namespace quarn::libftdi::testing
