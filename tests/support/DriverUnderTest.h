#pragma once
// The driver an application under test talks to: the simulated bus itself,
// or, with QUARN_TEST_DRIVER=libftdi in the environment, the libftdi backend,
// whose libusb is the USB-level stand-in attached to that bus. Either way
// the same simulated programmer and sensor answer on the same clock.
//
// The backend is there only in executables that link it (and the stand-in,
// see quarn_link_usbstand); the others, such as the soak, the benchmarks and
// the fuzzers, see no backend header and always get the bus.

#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "sim/SimulatedBus.h"

#if __has_include("drivers/libftdi/LibFtdiDriver.h")
#define QUARN_TEST_WITH_LIBFTDI 1
#include <dlfcn.h>

#include "drivers/libftdi/LibFtdiDriver.h"
#include "sim/usbstand/UsbStandIn.h"
#endif

namespace quarn::testing {

inline bool libftdiUnderTest() {
    const char* chosen = std::getenv("QUARN_TEST_DRIVER");
    return chosen != nullptr && std::string(chosen) == "libftdi";
}

#if QUARN_TEST_WITH_LIBFTDI

// Throws unless the libusb this process resolves (and libftdi with it) is
// the stand-in: a system libusb loaded in its place would talk to real USB.
inline void requireUsbStandIn() {
    void* marker = ::dlsym(RTLD_DEFAULT, "quarnUsbStandIn");
    void* init = ::dlsym(RTLD_DEFAULT, "libusb_init");
    Dl_info markerFile{};
    Dl_info initFile{};
    if (marker == nullptr || init == nullptr || ::dladdr(marker, &markerFile) == 0 ||
        ::dladdr(init, &initFile) == 0 ||
        std::string(markerFile.dli_fname) != std::string(initFile.dli_fname)) {
        throw std::runtime_error(
            "QUARN_TEST_DRIVER=libftdi, but libusb_init does not come from the libusb stand-in "
            "(is its directory first on LD_LIBRARY_PATH?)");
    }
}

class DriverUnderTest {
  public:
    explicit DriverUnderTest(sim::SimulatedBus& bus) : bus_(bus) {
        if (!libftdiUnderTest()) {
            return;
        }
        requireUsbStandIn();
        previousBus_ = usbstand::attachedBus();
        usbstand::attachBus(&bus);
        libftdi_ = std::make_unique<libftdi::LibFtdiDriver>();
        if (!libftdi_->usable()) {
            throw std::runtime_error("the libftdi backend is not usable: " + libftdi_->failure());
        }
    }
    ~DriverUnderTest() {
        if (libftdi_) {
            libftdi_.reset();
            // A session made inside another one hands the bus back.
            usbstand::attachBus(previousBus_);
        }
    }
    DriverUnderTest(const DriverUnderTest&) = delete;
    DriverUnderTest& operator=(const DriverUnderTest&) = delete;

    D2xxDriver& driver() { return libftdi_ ? static_cast<D2xxDriver&>(*libftdi_) : bus_; }

  private:
    sim::SimulatedBus& bus_;
    sim::SimulatedBus* previousBus_ = nullptr;
    std::unique_ptr<libftdi::LibFtdiDriver> libftdi_;
};

#else

class DriverUnderTest {
  public:
    explicit DriverUnderTest(sim::SimulatedBus& bus) : bus_(bus) {
        if (libftdiUnderTest()) {
            throw std::runtime_error(
                "QUARN_TEST_DRIVER=libftdi, but this executable is built without the libftdi "
                "backend");
        }
    }
    D2xxDriver& driver() { return bus_; }

  private:
    sim::SimulatedBus& bus_;
};

#endif

}  // namespace quarn::testing
