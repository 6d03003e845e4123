// The stand-in's FT232R decodes what libftdi asks of it: the baud rate
// divisor, data bits, parity, stop bits, flow control and latency timer.
// Its asynchronous transfers complete only when events are handled, once
// per call. The backend's tests rely on both.

#include <gtest/gtest.h>

#include <ftdi.h>
#include <libusb.h>

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

}  // namespace
}  // namespace quarn::libftdi::testing
