#include "drivers/diagnosis/Diagnosis.h"

#include <cstdio>

#include "drivers/diagnosis/PlainText.h"

namespace quarn::diagnosis {

namespace {

std::string usbId(const AdapterFacts& adapter) {
    char text[10];
    std::snprintf(text, sizeof text, "%04x:%04x", adapter.vendorId, adapter.productId);
    return text;
}

std::string orUnknown(const std::string& text) {
    return text.empty() ? std::string("unknown") : printable(text);
}

std::string kernelDriverText(const AdapterFacts& adapter) {
    switch (adapter.kernelDriver) {
        case KernelDriver::None:
            return "none";
        case KernelDriver::Attached:
            return adapter.kernelDriverName.empty()
                       ? std::string("one is attached")
                       : printable(adapter.kernelDriverName) + " is attached";
        case KernelDriver::Unknown:
            break;
    }
    return "unknown";
}

std::string nodeAccessText(NodeAccess access) {
    switch (access) {
        case NodeAccess::Allowed:
            return "this user may open it";
        case NodeAccess::Denied:
            return "this user may not open it";
        case NodeAccess::Unknown:
            break;
    }
    return "unknown";
}

std::string openText(const AdapterFacts& adapter) {
    std::string text = "not tried";
    switch (adapter.open) {
        case OpenOutcome::Opened:
            text = "opened";
            break;
        case OpenOutcome::AccessDenied:
            text = "access denied";
            break;
        case OpenOutcome::Busy:
            text = "busy";
            break;
        case OpenOutcome::Gone:
            text = "gone";
            break;
        case OpenOutcome::Failed:
            text = "failed";
            break;
        case OpenOutcome::NotTried:
            break;
    }
    return adapter.openDetail.empty() ? text : text + " (" + printable(adapter.openDetail) + ")";
}

void writeBackends(std::string& out, const std::vector<BackendFacts>& backends) {
    out += "Driver backends\n";
    if (backends.empty()) {
        out += "  none known\n";
    }
    for (const BackendFacts& backend : backends) {
        out += "  " + printable(backend.name);
        if (!backend.fileTried.empty()) {
            out += " (" + printable(backend.fileTried) + ")";
        }
        out += backend.usable ? ": usable" : ": not usable";
        if (!backend.usable && !backend.failure.empty()) {
            out += ": " + printable(backend.failure);
        }
        out += "\n";
    }
}

void writeAdapter(std::string& out, std::size_t number, const AdapterFacts& adapter) {
    out += "  Adapter " + std::to_string(number) + ": ";
    out += adapter.description.empty() ? "description unreadable" : printable(adapter.description);
    out += "\n";
    out += "    USB id:        " + usbId(adapter) + "\n";
    out += "    Serial number: " + orUnknown(adapter.serial) + "\n";
    out += "    Bus and port:  bus " + std::to_string(adapter.bus) + ", port " +
           orUnknown(adapter.port) + ", device " + std::to_string(adapter.address) + "\n";
    out += "    Device node:   " + orUnknown(adapter.nodePath) + "\n";
    out += "    Kernel driver: " + kernelDriverText(adapter) + "\n";
    out += "    Node access:   " + nodeAccessText(adapter.nodeAccess) + "\n";
    out += "    Open:          " + openText(adapter) + "\n";
}

void writeAdapters(std::string& out, const SurveyResult& survey) {
    if (!survey.usbUsable) {
        out += "FTDI adapters\n  not surveyed: " + printable(survey.failure) + "\n";
        return;
    }
    out += "FTDI adapters: " + std::to_string(survey.adapters.size()) + "\n";
    for (std::size_t i = 0; i < survey.adapters.size(); ++i) {
        writeAdapter(out, i + 1, survey.adapters[i]);
    }
}

void writeUdevRule(std::string& out, const UdevRuleStatus& udev) {
    out += std::string("udev rule ") + kUdevRuleName + "\n";
    switch (udev.state) {
        case UdevRuleState::Installed:
            out += "  installed: " + printable(udev.foundAt) + "\n";
            return;
        case UdevRuleState::Masked:
            out += "  switched off: " + printable(udev.foundAt) + " is no rule file\n";
            return;
        case UdevRuleState::Missing:
            break;
    }
    std::string places;
    for (const std::string& place : udev.placesLooked) {
        places += (places.empty() ? "" : ", ") + printable(place);
    }
    out += "  not installed; looked in " + places + "\n";
}

void writeProblems(std::string& out, const std::vector<Finding>& findings) {
    out += "Problems\n";
    if (findings.empty()) {
        out += "  none\n";
    }
    for (std::size_t i = 0; i < findings.size(); ++i) {
        out += "  " + std::to_string(i + 1) + ". " + findings[i].problem + "\n";
        out += "     Fix: " + findings[i].fix + "\n";
    }
}

}  // namespace

Diagnosis diagnose(const DiagnosisFacts& facts) {
    Diagnosis diagnosis;
    diagnosis.findings = findProblems(facts);
    const bool reachable = programmerReachable(facts);
    diagnosis.exitStatus = reachable ? kExitProgrammerReachable : kExitProgrammerUnreachable;

    std::string& out = diagnosis.report;
    out += "QuarnSoft USB diagnosis\n\n";
    writeBackends(out, facts.backends);
    out += "\n";
    writeAdapters(out, facts.survey);
    out += "\n";
    writeUdevRule(out, facts.udev);
    out += "\n";
    writeProblems(out, diagnosis.findings);
    out += "\n";
    out += reachable ? "Result: the programmer can be opened.\n"
                     : "Result: the programmer cannot be opened.\n";
    return diagnosis;
}

}  // namespace quarn::diagnosis
