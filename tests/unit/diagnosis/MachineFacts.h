#pragma once
// Facts as the survey reports them on a typical machine: the programmer on
// bus 1, port 1.4, and the two backends loaded or missing.

#include <string>
#include <utility>
#include <vector>

#include "drivers/diagnosis/Findings.h"

namespace quarn::diagnosis::testing {

inline constexpr char kRuleSource[] = "/opt/quarnsoft/60-quarnprog.rules";
inline constexpr char kNode[] = "/dev/bus/usb/001/004";

inline BackendFacts vendorLibrary(bool usable) {
    return {
        kVendorBackendName, usable, "libftd2xx.so",
        usable ? "" : "libftd2xx.so: cannot open shared object file: No such file or directory"};
}

inline BackendFacts libftdi(bool usable) {
    return {
        kLibFtdiBackendName, usable, "libftdi1.so.2",
        usable ? "" : "libftdi1.so.2: cannot open shared object file: No such file or directory"};
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
    facts.nodePath = kNode;
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
    if (rule == UdevRuleState::Installed) {
        facts.udev.foundAt = "/etc/udev/rules.d/60-quarnprog.rules";
    }
    facts.udev.placesLooked = {"/etc/udev/rules.d", "/run/udev/rules.d"};
    facts.udevRuleSource = kRuleSource;
    return facts;
}

}  // namespace quarn::diagnosis::testing
