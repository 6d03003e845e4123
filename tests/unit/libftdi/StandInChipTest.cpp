// The stand-in's FT232R decodes what libftdi asks of it: the baud rate
// divisor, data bits, parity, stop bits, flow control and latency timer.
// The backend's tests rely on it to tell how a chip was left.

#include <gtest/gtest.h>

#include <ftdi.h>

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

}  // namespace
}  // namespace quarn::libftdi::testing
