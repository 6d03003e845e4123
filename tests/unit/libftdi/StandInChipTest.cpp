// The stand-in's FT232R decodes what libftdi asks of it: the baud rate
// divisor, data bits, parity, stop bits, flow control and latency timer.
// Its asynchronous transfers complete only when events are handled, once
// per call, several to one chip in the order they were submitted. The
// backend's tests rely on all of it.

#include <gtest/gtest.h>

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <array>
#include <vector>

#include "unit/libftdi/LibFtdiRig.h"

namespace quarn::libftdi::testing {
namespace {

using usbstand::FlowControl;
using usbstand::Parity;
using usbstand::StopBits;

TEST(StandInChip, DecodesTheLineSettingsLibftdiSends) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    const sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    StandInAttachment attachment{bus};
    ftdi_context* ftdi = ftdi_new();
    ASSERT_NE(ftdi, nullptr);
    ASSERT_EQ(ftdi_usb_open_desc(ftdi, 0x0403, 0x6001, "QuarnProg", nullptr), 0)
        << ftdi_get_error_string(ftdi);
    auto line = [&] { return usbstand::chipReport(adapter.serialNumber())->line; };

    // The rates the chip makes exactly, and the nearest it makes to 115200.
    for (const auto& [asked, made] : std::vector<std::pair<int, int>>{
             {300, 300}, {9600, 9600}, {38400, 38400}, {115200, 115385}, {3000000, 3000000}}) {
        ASSERT_EQ(ftdi_set_baudrate(ftdi, asked), 0);
        EXPECT_EQ(line().baudRate, made) << asked;
    }
    ASSERT_EQ(ftdi_set_line_property(ftdi, BITS_7, STOP_BIT_15, MARK), 0);
    EXPECT_EQ(line().dataBits, 7);
    EXPECT_EQ(line().parity, Parity::Mark);
    EXPECT_EQ(line().stopBits, StopBits::OnePointFive);
    ASSERT_EQ(ftdi_set_line_property(ftdi, BITS_8, STOP_BIT_2, ODD), 0);
    EXPECT_EQ(line().parity, Parity::Odd);
    EXPECT_EQ(line().stopBits, StopBits::Two);
    ASSERT_EQ(ftdi_setflowctrl(ftdi, SIO_DTR_DSR_HS), 0);
    EXPECT_EQ(line().flowControl, FlowControl::DtrDsr);
    ASSERT_EQ(ftdi_set_latency_timer(ftdi, 3), 0);
    unsigned char latency = 0;
    ASSERT_EQ(ftdi_get_latency_timer(ftdi, &latency), 0);
    EXPECT_EQ(latency, 3);

    ftdi_usb_close(ftdi);
    ftdi_free(ftdi);
}

// What the callback saw of each completion, and whether it submits again.
struct Completions {
    std::vector<std::pair<int, int>> seen;  // status, actual length
    bool resubmit = true;
};

void LIBUSB_CALL noteCompletion(libusb_transfer* transfer) {
    auto* completions = static_cast<Completions*>(transfer->user_data);
    completions->seen.emplace_back(transfer->status, transfer->actual_length);
    if (completions->resubmit) {
        EXPECT_EQ(libusb_submit_transfer(transfer), 0);
    }
}

TEST(StandInChip, CompletesAsynchronousTransfersOnlyWhileEventsAreHandled) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    StandInAttachment attachment{bus};
    ftdi_context* ftdi = ftdi_new();
    ASSERT_NE(ftdi, nullptr);
    ASSERT_EQ(ftdi_usb_open_desc(ftdi, 0x0403, 0x6001, "QuarnProg", nullptr), 0);
    Completions completions;
    std::array<unsigned char, 256> buffer{};
    libusb_transfer* transfer = libusb_alloc_transfer(0);
    libusb_fill_bulk_transfer(transfer, ftdi->usb_dev, static_cast<unsigned char>(ftdi->out_ep),
                              buffer.data(), buffer.size(), &noteCompletion, &completions, 0);
    timeval noWait{};
    auto handleEvents = [&] {
        completions.seen.clear();
        EXPECT_EQ(libusb_handle_events_timeout_completed(ftdi->usb_ctx, &noWait, nullptr), 0);
        return completions.seen;
    };
    using Seen = std::vector<std::pair<int, int>>;

    adapter.injectNoise(countingBytes(70));
    ASSERT_EQ(libusb_submit_transfer(transfer), 0);
    EXPECT_EQ(libusb_submit_transfer(transfer), LIBUSB_ERROR_BUSY);
    EXPECT_EQ(adapter.bytesWaiting(), 70U) << "nothing moves until events are handled";
    // A full packet and a short one, each led by the status bytes; the
    // transfer submitted again from its callback waits for the next call.
    EXPECT_EQ(handleEvents(), (Seen{{LIBUSB_TRANSFER_COMPLETED, 64 + 2 + 8}}));
    EXPECT_EQ(buffer[2], 0);
    EXPECT_EQ(buffer[66], 62);
    EXPECT_EQ(handleEvents(), (Seen{{LIBUSB_TRANSFER_COMPLETED, 2}})) << "the status bytes alone";

    completions.resubmit = false;
    EXPECT_EQ(libusb_cancel_transfer(transfer), 0);
    EXPECT_EQ(libusb_cancel_transfer(transfer), LIBUSB_ERROR_NOT_FOUND);
    EXPECT_EQ(handleEvents(), (Seen{{LIBUSB_TRANSFER_CANCELLED, 0}}));
    EXPECT_EQ(handleEvents(), Seen{});

    // Closing the device under a transfer in flight is counted against the
    // caller.
    ASSERT_EQ(libusb_submit_transfer(transfer), 0);
    ftdi_usb_close(ftdi);
    EXPECT_EQ(usbstand::transferCounts(), (usbstand::TransferCounts{1, 0, 1}));
    libusb_free_transfer(transfer);
    EXPECT_EQ(usbstand::transferCounts().live, 0);
    ftdi_free(ftdi);
}

// Which transfer came back, in what state, with how much.
struct Arrival {
    int transfer;
    int status;
    int length;
    bool operator==(const Arrival&) const = default;
};

struct Arrivals {
    std::vector<libusb_transfer*> transfers;
    std::vector<Arrival> seen;
    bool resubmit = true;
};

void LIBUSB_CALL noteArrival(libusb_transfer* transfer) {
    auto* arrivals = static_cast<Arrivals*>(transfer->user_data);
    const auto index = std::find(arrivals->transfers.begin(), arrivals->transfers.end(), transfer) -
                       arrivals->transfers.begin();
    arrivals->seen.push_back({static_cast<int>(index), transfer->status, transfer->actual_length});
    if (arrivals->resubmit) {
        EXPECT_EQ(libusb_submit_transfer(transfer), 0);
    }
}

TEST(StandInChip, SeveralTransfersInFlightTakeTheChipsBytesInTheOrderSubmitted) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    StandInAttachment attachment{bus};
    ftdi_context* ftdi = ftdi_new();
    ASSERT_NE(ftdi, nullptr);
    ASSERT_EQ(ftdi_usb_open_desc(ftdi, 0x0403, 0x6001, "QuarnProg", nullptr), 0);
    ASSERT_EQ(ftdi_set_latency_timer(ftdi, 10), 0);
    Arrivals arrivals;
    std::array<std::array<unsigned char, 256>, 3> buffers{};
    for (auto& buffer : buffers) {
        libusb_transfer* transfer = libusb_alloc_transfer(0);
        libusb_fill_bulk_transfer(transfer, ftdi->usb_dev, static_cast<unsigned char>(ftdi->out_ep),
                                  buffer.data(), buffer.size(), &noteArrival, &arrivals, 0);
        arrivals.transfers.push_back(transfer);
    }
    timeval noWait{};
    auto handleEvents = [&] {
        arrivals.seen.clear();
        EXPECT_EQ(libusb_handle_events_timeout_completed(ftdi->usb_ctx, &noWait, nullptr), 0);
        return arrivals.seen;
    };
    using Seen = std::vector<Arrival>;
    constexpr int kDone = LIBUSB_TRANSFER_COMPLETED;

    adapter.injectNoise(countingBytes(70));
    for (libusb_transfer* transfer : arrivals.transfers) {
        ASSERT_EQ(libusb_submit_transfer(transfer), 0);
    }
    // The first takes what the chip holds, those behind it find it empty;
    // each goes in again behind the others.
    EXPECT_EQ(handleEvents(), (Seen{{0, kDone, 64 + 2 + 8}, {1, kDone, 2}, {2, kDone, 2}}));
    EXPECT_EQ(buffers[0][66], 62);

    // 25 ms with nobody handling events: the chip answers two transfers,
    // one per 10 ms latency period, with what it holds then; the third
    // takes what came later, when events are handled.
    adapter.injectNoise(countingBytes(10));
    EXPECT_EQ(usbstand::passUsbTime(adapter.serialNumber(), 25), 2);
    adapter.injectNoise(countingBytes(5, 10));
    EXPECT_EQ(handleEvents(), (Seen{{0, kDone, 12}, {1, kDone, 2}, {2, kDone, 7}}));
    EXPECT_EQ(buffers[2][2], 10);

    // Short packets: each transfer carries one, in order.
    usbstand::setFaults(adapter.serialNumber(), usbstand::AdapterFaults{.inPacketData = 4});
    adapter.injectNoise(countingBytes(10));
    EXPECT_EQ(handleEvents(), (Seen{{0, kDone, 6}, {1, kDone, 6}, {2, kDone, 4}}));
    EXPECT_EQ(buffers[1][2], 4);

    // A cancelled one comes back in its place.
    arrivals.resubmit = false;
    EXPECT_EQ(libusb_cancel_transfer(arrivals.transfers[1]), 0);
    adapter.injectNoise(countingBytes(3));
    EXPECT_EQ(handleEvents(),
              (Seen{{0, kDone, 5}, {1, LIBUSB_TRANSFER_CANCELLED, 0}, {2, kDone, 2}}));
    EXPECT_EQ(usbstand::transferCounts().inFlight, 0);

    for (libusb_transfer* transfer : arrivals.transfers) {
        libusb_free_transfer(transfer);
    }
    ftdi_usb_close(ftdi);
    ftdi_free(ftdi);
}

}  // namespace
}  // namespace quarn::libftdi::testing
