#pragma once
// The driver backend for a real programmer, as the front end was asked to
// choose it: the vendor's D2XX library, libftdi1, or (auto) the vendor's
// library when it loads and libftdi1 otherwise. When the chosen backend, or
// for auto both, cannot be used, the driver still answers every call, with a
// failure, so the link shows its driver error as it always has.

#include <memory>
#include <string>
#include <vector>

#include "drivers/backend/DriverChoice.h"
#include "drivers/backend/UnusableDriver.h"
#include "drivers/diagnosis/AdapterFacts.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

namespace quarn::d2xx {
class VendorDriver;
}

namespace quarn::backend {

class HardwareBackend {
  public:
    // choice is Auto, D2xx or LibFtdi; the log must outlive the backend.
    // The vendor's library is looked for by vendorLibrary's file name.
    HardwareBackend(DriverChoice choice, DevLog& log,
                    std::string vendorLibrary = defaultVendorLibrary());
    ~HardwareBackend();
    HardwareBackend(const HardwareBackend&) = delete;
    HardwareBackend& operator=(const HardwareBackend&) = delete;

    D2xxDriver& driver() { return *driver_; }
    // "d2xx" or "libftdi": the backend the driver calls go to; "none".
    const std::string& name() const { return name_; }
    bool usable() const { return problem_.empty(); }
    // Why no backend can be used, on one line; empty when one can.
    const std::string& problem() const { return problem_; }
    // The backends that were tried, in the order they were tried.
    const std::vector<diagnosis::BackendFacts>& tried() const { return tried_; }

    static std::string defaultVendorLibrary();

  private:
    bool tryVendor();
    bool tryLibFtdi(DevLog& log);

    std::unique_ptr<d2xx::VendorDriver> vendor_;
    std::unique_ptr<D2xxDriver> libftdi_;  // a libftdi::LibFtdiDriver
    UnusableDriver unusable_;
    D2xxDriver* driver_ = nullptr;
    std::string vendorLibrary_;
    std::string name_;
    std::string problem_;
    std::vector<diagnosis::BackendFacts> tried_;
};

// Each backend, tried whether or not it would be chosen: what the diagnosis
// reports about them.
std::vector<diagnosis::BackendFacts> probeBackends();

}  // namespace quarn::backend
