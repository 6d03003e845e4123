// The USB survey against the libusb stand-in: every FTDI adapter with all
// its facts, also one this user may not open.

#include <gtest/gtest.h>

#include "drivers/libftdi/UsbSurvey.h"
#include "unit/libftdi/LibFtdiRig.h"

namespace quarn::libftdi::testing {
namespace {

using diagnosis::AdapterFacts;
using diagnosis::KernelDriver;
using diagnosis::OpenOutcome;

class UsbSurveyTest : public LibFtdiRig {};

TEST_F(UsbSurveyTest, DescribesEveryAdapterAndLeavesTheKernelDriverAsItWas) {
    const sim::Adapter& open = plug("QuarnProg");
    const sim::Adapter& denied = plug("Other programmer");
    usbstand::bindKernelDriver(open.serialNumber());
    usbstand::setFaults(denied.serialNumber(), usbstand::AdapterFaults{.denyAccess = true});
    sysfs.addDevice(sysfsName(denied), "Other programmer", denied.serialNumber());
    sysfs.bindInterfaceDriver(sysfsName(denied), "ftdi_sio");

    const diagnosis::SurveyResult survey = surveyFtdiAdapters(sysfs.root());
    ASSERT_TRUE(survey.usbUsable) << survey.failure;
    ASSERT_EQ(survey.adapters.size(), 2U);

    const AdapterFacts& first = survey.adapters[0];
    EXPECT_EQ(first.vendorId, 0x0403);
    EXPECT_EQ(first.productId, 0x6001);
    EXPECT_EQ(first.description, "QuarnProg");
    EXPECT_EQ(first.serial, "QS000001");
    EXPECT_EQ(first.bus, 1);
    EXPECT_EQ(first.address, 3);
    EXPECT_EQ(first.port, "1.1");
    EXPECT_EQ(first.nodePath, "/dev/bus/usb/001/003");
    EXPECT_EQ(first.kernelDriver, KernelDriver::Attached);
    EXPECT_EQ(first.kernelDriverName, "ftdi_sio");
    EXPECT_EQ(first.open, OpenOutcome::Opened);
    EXPECT_EQ(first.openDetail, "");

    const AdapterFacts& second = survey.adapters[1];
    EXPECT_EQ(second.description, "Other programmer");  // from sysfs
    EXPECT_EQ(second.serial, "QS000002");
    EXPECT_EQ(second.port, "1.2");
    EXPECT_EQ(second.nodePath, "/dev/bus/usb/001/004");
    EXPECT_EQ(second.kernelDriver, KernelDriver::Attached);
    EXPECT_EQ(second.kernelDriverName, "ftdi_sio");
    EXPECT_EQ(second.open, OpenOutcome::AccessDenied);
    EXPECT_EQ(second.openDetail, "LIBUSB_ERROR_ACCESS");

    // The survey runs after every failed open: it never takes an adapter
    // from its kernel driver, not even for a moment; nothing is left open.
    const auto chip = usbstand::chipReport(open.serialNumber());
    EXPECT_TRUE(chip->kernelDriverBound);
    EXPECT_EQ(chip->kernelDriverDetaches, 0);
    EXPECT_EQ(chip->kernelDriverAttaches, 0);
    EXPECT_EQ(bus.openHandleCount(), 0U);
    EXPECT_EQ(usbstand::openDeviceHandles(), 0);
}

TEST_F(UsbSurveyTest, TellsABusyAdapterAndOneWhoseKernelDriverIsUnknown) {
    const sim::Adapter& busy = plug();
    const sim::Adapter& denied = plug();
    usbstand::setFaults(busy.serialNumber(), usbstand::AdapterFaults{.interfaceBusy = true});
    usbstand::setFaults(denied.serialNumber(), usbstand::AdapterFaults{.denyAccess = true});

    const diagnosis::SurveyResult survey = surveyFtdiAdapters(sysfs.root());
    ASSERT_EQ(survey.adapters.size(), 2U);
    EXPECT_EQ(survey.adapters[0].open, OpenOutcome::Busy);
    EXPECT_EQ(survey.adapters[0].openDetail, "LIBUSB_ERROR_BUSY");
    EXPECT_EQ(survey.adapters[0].kernelDriver, KernelDriver::None);
    // Neither the device nor sysfs tells anything about the second.
    EXPECT_EQ(survey.adapters[1].kernelDriver, KernelDriver::Unknown);
    EXPECT_EQ(survey.adapters[1].description, "");
    EXPECT_EQ(survey.adapters[1].port, "1.2");
}

}  // namespace
}  // namespace quarn::libftdi::testing
