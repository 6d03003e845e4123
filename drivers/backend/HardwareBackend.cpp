#include "drivers/backend/HardwareBackend.h"

#include <utility>

#include "drivers/d2xx/VendorDriver.h"
#if QUARN_WITH_LIBFTDI
#include "drivers/libftdi/LibFtdiDriver.h"
#endif

namespace quarn::backend {

namespace {

using diagnosis::kLibFtdiBackendName;
using diagnosis::kVendorBackendName;
// libftdi1 is linked into the program, so it is never looked for by name.
constexpr char kLibFtdiFile[] = "libftdi1.so.2";

}  // namespace

std::string HardwareBackend::defaultVendorLibrary() {
    return d2xx::VendorDriver::defaultLibraryName();
}

HardwareBackend::HardwareBackend(DriverChoice choice, DevLog& log, std::string vendorLibrary)
    : vendorLibrary_(std::move(vendorLibrary)) {
    const bool found = (choice == DriverChoice::D2xx && tryVendor()) ||
                       (choice == DriverChoice::LibFtdi && tryLibFtdi(log)) ||
                       (choice == DriverChoice::Auto && (tryVendor() || tryLibFtdi(log)));
    if (!found) {
        driver_ = &unusable_;
        name_ = "none";
        for (const diagnosis::BackendFacts& facts : tried_) {
            problem_ += (problem_.empty() ? "" : "; ") + facts.name + ": " + facts.failure;
        }
    }
    logIf(log, LogArea::Usb,
          [&] { return found ? "driver backend: " + name_ : "no driver backend: " + problem_; });
}

HardwareBackend::~HardwareBackend() = default;

bool HardwareBackend::tryVendor() {
    vendor_ = std::make_unique<d2xx::VendorDriver>(vendorLibrary_);
    tried_.push_back({kVendorBackendName, vendor_->loaded(), vendorLibrary_, vendor_->loadError()});
    if (!vendor_->loaded()) {
        return false;
    }
    driver_ = vendor_.get();
    name_ = kVendorBackendName;
    return true;
}

bool HardwareBackend::tryLibFtdi(DevLog& log) {
#if QUARN_WITH_LIBFTDI
    auto libftdi = std::make_unique<libftdi::LibFtdiDriver>(log);
    const bool usable = libftdi->usable();
    tried_.push_back({kLibFtdiBackendName, usable, kLibFtdiFile, libftdi->failure()});
    libftdi_ = std::move(libftdi);
    if (!usable) {
        return false;
    }
    driver_ = libftdi_.get();
    name_ = kLibFtdiBackendName;
    return true;
#else
    static_cast<void>(log);
    tried_.push_back({kLibFtdiBackendName, false, kLibFtdiFile, "not built for this system"});
    return false;
#endif
}

std::vector<diagnosis::BackendFacts> probeBackends() {
    std::vector<diagnosis::BackendFacts> facts;
    // Not the program's backend: its log would only confuse the one in use.
    SilentLog silent;
    for (const DriverChoice choice : {DriverChoice::D2xx, DriverChoice::LibFtdi}) {
        const HardwareBackend backend(choice, silent);
        facts.push_back(backend.tried().front());
    }
    return facts;
}

}  // namespace quarn::backend
