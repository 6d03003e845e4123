#include "drivers/diagnosis/Findings.h"

#include <algorithm>

#include "drivers/diagnosis/PlainText.h"

namespace quarn::diagnosis {

namespace {

constexpr char kReplug[] = ", then unplug the programmer and plug it in again";
constexpr char kReloadRules[] = "sudo udevadm control --reload-rules && sudo udevadm trigger";

bool isProgrammer(const AdapterFacts& adapter) {
    return adapter.description == kProgrammerDescription;
}

bool accessDenied(const AdapterFacts& adapter) {
    return adapter.open == OpenOutcome::AccessDenied ||
           (adapter.open != OpenOutcome::Opened && adapter.nodeAccess == NodeAccess::Denied);
}

bool backendUsable(const DiagnosisFacts& facts, const char* name) {
    return std::any_of(facts.backends.begin(), facts.backends.end(),
                       [name](const BackendFacts& b) { return b.name == name && b.usable; });
}

// The device node, or the bus and port when the node is not known.
std::string placeOf(const AdapterFacts& adapter) {
    if (!adapter.nodePath.empty()) {
        return printable(adapter.nodePath);
    }
    return "on bus " + std::to_string(adapter.bus) + ", port " + printable(adapter.port);
}

std::string installRuleCommand(const FixSetting& setting) {
    return "sudo install -m 644 " + shellWord(setting.udevRuleSource) + " /etc/udev/rules.d/ && " +
           kReloadRules;
}

// The rule grants access once udev applies it: install it when it is not
// there, apply it again when it is.
std::string accessFix(const FixSetting& setting) {
    return (setting.udevRuleInstalled ? std::string(kReloadRules) : installRuleCommand(setting)) +
           kReplug;
}

std::string kernelModule(const AdapterFacts& adapter) {
    return adapter.kernelDriverName.empty() ? std::string("ftdi_sio") : adapter.kernelDriverName;
}

std::optional<Finding> kernelDriverFinding(const AdapterFacts& adapter, const FixSetting& setting) {
    if (adapter.kernelDriver != KernelDriver::Attached) {
        return std::nullopt;
    }
    const std::string module = kernelModule(adapter);
    const std::string holds = "The kernel's " + printable(module) + " driver holds the programmer";
    if (!setting.libftdiUsable) {
        return Finding{Problem::KernelDriver,
                       holds + ", and the vendor library cannot open it while it does.",
                       "sudo rmmod " + shellWord(module)};
    }
    if (setting.vendorLibraryUsable) {
        return Finding{Problem::KernelDriver,
                       holds + ": the vendor library cannot open it, libftdi takes it over itself.",
                       "quarnsoft --driver libftdi"};
    }
    return std::nullopt;  // libftdi alone: it detaches the kernel's driver while it is open
}

std::optional<Finding> openFinding(const AdapterFacts& adapter) {
    const std::string detail =
        adapter.openDetail.empty() ? std::string() : " (" + printable(adapter.openDetail) + ")";
    const std::string again =
        "Unplug the programmer, plug it in again and run quarnsoft --diagnose";
    switch (adapter.open) {
        case OpenOutcome::Opened:
        case OpenOutcome::AccessDenied:
            return std::nullopt;
        case OpenOutcome::Busy: {
            const std::string fix = adapter.nodePath.empty()
                                        ? "Close the other program that uses the programmer"
                                        : "Find the program with sudo fuser -v " +
                                              shellWord(adapter.nodePath) + " and close it";
            return Finding{Problem::Busy, "Another program holds the programmer" + detail + ".",
                           fix};
        }
        case OpenOutcome::Gone:
            return Finding{Problem::Gone,
                           "The programmer went away while it was checked: it was unplugged or "
                           "its cable is loose.",
                           "Plug the programmer in firmly and run quarnsoft --diagnose again"};
        case OpenOutcome::Failed:
            return Finding{Problem::OpenFailed, "The programmer could not be opened" + detail + ".",
                           again};
        case OpenOutcome::NotTried:
            return Finding{Problem::OpenFailed, "The programmer was not opened during the check.",
                           again};
    }
    return std::nullopt;
}

}  // namespace

FixSetting fixSettingFor(const DiagnosisFacts& facts) {
    FixSetting setting;
    setting.udevRuleSource = facts.udevRuleSource;
    setting.udevRuleInstalled = facts.udev.state == UdevRuleState::Installed;
    setting.vendorLibraryUsable = backendUsable(facts, kVendorBackendName);
    setting.libftdiUsable = backendUsable(facts, kLibFtdiBackendName);
    return setting;
}

std::vector<Finding> adapterFindings(const AdapterFacts& adapter, const FixSetting& setting) {
    std::vector<Finding> findings;
    const bool denied = accessDenied(adapter);
    if (denied) {
        const std::string although =
            setting.udevRuleInstalled ? ", although the udev rule is installed" : "";
        findings.push_back({Problem::AccessDenied,
                            "This user may not open the programmer's USB device node " +
                                placeOf(adapter) + although + ".",
                            accessFix(setting)});
    }
    const std::optional<Finding> kernel = kernelDriverFinding(adapter, setting);
    if (kernel) {
        findings.push_back(*kernel);
    }
    // A node this user may not open, or a kernel driver the vendor library
    // cannot get past, is why the adapter was busy or did not open.
    const bool explained = denied || (kernel && !setting.libftdiUsable);
    const std::optional<Finding> open = openFinding(adapter);
    if (open && !(explained && open->kind != Problem::Gone)) {
        findings.push_back(*open);
    }
    return findings;
}

std::optional<AdapterAdvice> adviceFor(const AdapterFacts& adapter, const FixSetting& setting) {
    const std::vector<Finding> findings = adapterFindings(adapter, setting);
    if (findings.empty()) {
        return std::nullopt;
    }
    return AdapterAdvice{findings.front().problem, findings.front().fix};
}

std::vector<Finding> findProblems(const DiagnosisFacts& facts) {
    const FixSetting setting = fixSettingFor(facts);
    std::vector<Finding> findings;
    const SurveyResult& survey = facts.survey;
    if (!setting.vendorLibraryUsable && !setting.libftdiUsable) {
        // libftdi1 present but without USB access is mended by USB access,
        // which the next finding names; a missing libftdi1 by installing it.
        const bool libftdiPresent =
            std::any_of(facts.backends.begin(), facts.backends.end(), [](const BackendFacts& b) {
                return b.name == kLibFtdiBackendName && !b.failure.empty() &&
                       b.failure.find("libusb") != std::string::npos;
            });
        if (!libftdiPresent || survey.usbUsable) {
            findings.push_back({Problem::NoBackend,
                                "No USB driver can be used: neither the vendor library nor "
                                "libftdi1 could be loaded.",
                                "sudo apt install libftdi1-2"});
        }
    }
    if (!survey.usbUsable) {
        findings.push_back(
            {Problem::UsbUnavailable,
             "The USB devices could not be listed (" + printable(survey.failure) + ").",
             "Run lsusb: when it lists no devices either, this system gives no "
             "access to USB"});
        return findings;
    }

    std::vector<const AdapterFacts*> programmers;
    for (const AdapterFacts& adapter : survey.adapters) {
        if (isProgrammer(adapter)) {
            programmers.push_back(&adapter);
        }
    }
    if (programmers.size() == 1) {
        const std::vector<Finding> own = adapterFindings(*programmers.front(), setting);
        findings.insert(findings.end(), own.begin(), own.end());
    } else if (programmers.size() > 1) {
        findings.push_back(
            {Problem::MoreThanOneProgrammer,
             std::to_string(programmers.size()) + " programmers described " +
                 kProgrammerDescription + " are connected; the program works with exactly one.",
             programmers.size() == 2 ? "Unplug one of them" : "Unplug all of them but one"});
    } else if (survey.adapters.empty()) {
        findings.push_back({Problem::NoAdapter, "No FTDI adapter is connected to this computer.",
                            "Plug the programmer in (try another cable or USB port); lsusb -d "
                            "0403: lists it once it is seen"});
    } else {
        // A description is read from the adapter itself, which takes the
        // right to open it: an unreadable one may well be the programmer's.
        bool unreadable = false;
        for (const AdapterFacts& adapter : survey.adapters) {
            if (adapter.description.empty() && accessDenied(adapter)) {
                unreadable = true;
                findings.push_back({Problem::AccessDenied,
                                    "This user may not open the FTDI adapter " + placeOf(adapter) +
                                        ", so its description could not be read; it may be the "
                                        "programmer.",
                                    accessFix(setting)});
            }
        }
        if (!unreadable) {
            findings.push_back(
                {Problem::ProgrammerNotSeen,
                 std::to_string(survey.adapters.size()) +
                     " FTDI adapter(s) are connected, but none describes itself as " +
                     kProgrammerDescription + ": the programmer's description was not seen.",
                 std::string("Plug in the programmer described ") + kProgrammerDescription});
        }
    }
    return findings;
}

bool programmerReachable(const DiagnosisFacts& facts) {
    if (!facts.survey.usbUsable) {
        return false;
    }
    const AdapterFacts* programmer = nullptr;
    for (const AdapterFacts& adapter : facts.survey.adapters) {
        if (isProgrammer(adapter)) {
            if (programmer != nullptr) {
                return false;  // the program chooses between none of them
            }
            programmer = &adapter;
        }
    }
    if (programmer == nullptr || programmer->open != OpenOutcome::Opened) {
        return false;
    }
    const FixSetting setting = fixSettingFor(facts);
    return setting.libftdiUsable ||
           (setting.vendorLibraryUsable && programmer->kernelDriver != KernelDriver::Attached);
}

}  // namespace quarn::diagnosis
