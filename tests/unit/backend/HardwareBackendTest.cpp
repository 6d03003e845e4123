// The backend choice on the real loaders: the simulator's drop-in vendor
// library (found on the library path the test runs with) and libftdi over the
// libusb stand-in.

#include <gtest/gtest.h>

#include <libusb.h>

#include <string>

#include "drivers/backend/HardwareBackend.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "sim/usbstand/UsbStandIn.h"

namespace quarn::backend {
namespace {

constexpr char kMissingLibrary[] = "libquarn-no-such-driver.so";

class HardwareBackendChoice : public ::testing::Test {
  protected:
    HardwareBackendChoice() {
        usbstand::attachBus(&bus);
        bus.plugAdapter("QuarnProg");
    }
    ~HardwareBackendChoice() override {
        usbstand::setInitFailure(0);
        usbstand::attachBus(nullptr);
    }

    // How many adapters the driver lists, or -1 when the call fails.
    static int listed(D2xxDriver& driver) {
        FtDword count = 0;
        return driver.listDevices(&count, nullptr, ft::kListNumberOnly) == ft::kOk
                   ? static_cast<int>(count)
                   : -1;
    }

    SilentLog log;
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
};

TEST_F(HardwareBackendChoice, AutoTakesTheVendorLibraryWhenItLoadsAndLibFtdiOtherwise) {
    HardwareBackend vendorPresent(DriverChoice::Auto, log);
    EXPECT_EQ(vendorPresent.name(), "d2xx");
    EXPECT_TRUE(vendorPresent.usable());
    ASSERT_EQ(vendorPresent.tried().size(), 1U) << "libftdi is not started when not needed";

    HardwareBackend vendorMissing(DriverChoice::Auto, log, kMissingLibrary);
    EXPECT_EQ(vendorMissing.name(), "libftdi");
    EXPECT_TRUE(vendorMissing.usable());
    EXPECT_EQ(listed(vendorMissing.driver()), 1) << "the stand-in's adapter, through libftdi";
    ASSERT_EQ(vendorMissing.tried().size(), 2U);
    EXPECT_FALSE(vendorMissing.tried()[0].usable);
    EXPECT_EQ(vendorMissing.tried()[0].fileTried, kMissingLibrary);
    EXPECT_NE(vendorMissing.tried()[0].failure.find(kMissingLibrary), std::string::npos);
}

TEST_F(HardwareBackendChoice, AChosenBackendIsNeverSwappedForAnother) {
    HardwareBackend libftdi(DriverChoice::LibFtdi, log);
    EXPECT_EQ(libftdi.name(), "libftdi") << "even with the vendor library at hand";

    HardwareBackend vendor(DriverChoice::D2xx, log, kMissingLibrary);
    EXPECT_FALSE(vendor.usable());
    EXPECT_EQ(vendor.name(), "none") << "libftdi would work, but was not asked for";
    EXPECT_EQ(listed(vendor.driver()), -1);

    usbstand::setInitFailure(LIBUSB_ERROR_OTHER);
    HardwareBackend noUsb(DriverChoice::LibFtdi, log);
    EXPECT_FALSE(noUsb.usable());
    EXPECT_EQ(listed(noUsb.driver()), -1);
}

TEST_F(HardwareBackendChoice, WithNoBackendEveryCallFailsAndTheProblemNamesBoth) {
    usbstand::setInitFailure(LIBUSB_ERROR_OTHER);
    HardwareBackend none(DriverChoice::Auto, log, kMissingLibrary);
    EXPECT_FALSE(none.usable());
    EXPECT_EQ(none.name(), "none");
    EXPECT_EQ(none.problem().rfind("d2xx: ", 0), 0U) << none.problem();
    EXPECT_NE(none.problem().find("; libftdi: "), std::string::npos) << none.problem();

    D2xxDriver& driver = none.driver();
    FtHandle handle = nullptr;
    char name[] = "QuarnProg";
    FtDword done = 0;
    EXPECT_EQ(listed(driver), -1);
    EXPECT_EQ(driver.openEx(name, ft::kOpenByDescription, &handle), ft::kOtherError);
    EXPECT_EQ(driver.write(handle, name, 1, &done), ft::kOtherError);
    EXPECT_EQ(driver.getQueueStatus(handle, &done), ft::kOtherError);
    EXPECT_EQ(driver.close(handle), ft::kOtherError);

    // What the diagnosis reports of the two, whatever would be chosen.
    usbstand::setInitFailure(0);
    const auto facts = probeBackends();
    ASSERT_EQ(facts.size(), 2U);
    EXPECT_EQ(facts[0].name, "d2xx");
    EXPECT_TRUE(facts[0].usable) << "the drop-in is on this test's library path";
    EXPECT_EQ(facts[1].name, "libftdi");
    EXPECT_TRUE(facts[1].usable);
}

}  // namespace
}  // namespace quarn::backend
