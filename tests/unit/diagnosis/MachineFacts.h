#pragma once
// Facts as the survey reports them: an adapter on bus 1, port 1.4, and the
// two backends loaded or missing.

#include <string>
#include <utility>
#include <vector>

#include "drivers/diagnosis/Findings.h"

namespace quarn::diagnosis::testing {

inline constexpr char kRuleSource[] = "/opt/quarnsoft/60-quarnprog.rules";

inline BackendFacts backend(const char* name, const std::string& file, bool usable) {
    return {name, usable, file,
            usable ? "" : file + ": cannot open shared object file: No such file or directory"};
}
inline BackendFacts vendorLibrary(bool usable) {
    return backend(kVendorBackendName, "libftd2xx.so", usable);
}
inline BackendFacts libftdi(bool usable) {
    return backend(kLibFtdiBackendName, "libftdi1.so.2", usable);
}

inline AdapterFacts adapter(std::string description, OpenOutcome open, std::string detail = "") {
    AdapterFacts facts;
    facts.vendorId = 0x0403;
    facts.productId = 0x6001;
    facts.description = std::move(description);
    facts.serial = "QP000123";
    facts.bus = 1;
    facts.address = 4;
    facts.port = "1.4";
    facts.nodePath = "/dev/bus/usb/001/004";
    facts.kernelDriver = KernelDriver::None;
    facts.open = open;
    facts.openDetail = std::move(detail);
    facts.nodeAccess = open == OpenOutcome::AccessDenied ? NodeAccess::Denied : NodeAccess::Allowed;
    return facts;
}

inline AdapterFacts heldByFtdiSio(AdapterFacts facts) {
    facts.kernelDriver = KernelDriver::Attached;
    facts.kernelDriverName = "ftdi_sio";
    return facts;
}

inline DiagnosisFacts machine(std::vector<BackendFacts> backends,
                              std::vector<AdapterFacts> adapters,
                              UdevRuleState rule = UdevRuleState::Missing) {
    DiagnosisFacts facts;
    facts.backends = std::move(backends);
    facts.survey.usbUsable = true;
    facts.survey.adapters = std::move(adapters);
    facts.udev.state = rule;
    facts.udev.placesLooked = {"/etc/udev/rules.d"};
    facts.udevRuleSource = kRuleSource;
    return facts;
}

}  // namespace quarn::diagnosis::testing
