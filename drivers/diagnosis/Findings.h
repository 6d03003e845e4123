#pragma once
// The problems that keep the program from the programmer, each as one
// sentence for the technician and the one command or step that mends it,
// worked out from the facts alone.

#include <optional>
#include <string>
#include <vector>

#include "drivers/diagnosis/AdapterFacts.h"
#include "drivers/diagnosis/UdevRule.h"
#include "platform/AdapterAdvisor.h"

namespace quarn::diagnosis {

// The description the programmer's adapter carries; the link looks for the same.
inline constexpr char kProgrammerDescription[] = "QuarnProg";

enum class Problem {
    NoBackend,              // neither driver library can be used
    UsbUnavailable,         // the USB devices could not be listed
    NoAdapter,              // no FTDI adapter is connected
    ProgrammerNotSeen,      // FTDI adapters, none described as the programmer
    MoreThanOneProgrammer,  // the program opens none of them
    AccessDenied,           // this user may not open the device node
    KernelDriver,           // the kernel's serial driver holds the adapter
    Busy,                   // another program holds the adapter
    Gone,                   // unplugged while it was checked
    OpenFailed,             // not opened for another reason
};

struct Finding {
    Problem kind = Problem::OpenFailed;
    std::string problem;  // one sentence
    std::string fix;      // one command or step
};

// What decides an adapter's fix besides the adapter itself.
struct FixSetting {
    std::string udevRuleSource = kUdevRuleName;  // the rule file the install command copies
    bool udevRuleInstalled = false;
    bool vendorLibraryUsable = false;
    bool libftdiUsable = false;  // libftdi takes the adapter from the kernel's driver itself
};

struct DiagnosisFacts {
    std::vector<BackendFacts> backends;
    SurveyResult survey;
    UdevRuleStatus udev;
    // The rule file shipped with the program: in the build tree or where a
    // package put it.
    std::string udevRuleSource = kUdevRuleName;
};

FixSetting fixSettingFor(const DiagnosisFacts& facts);

// Everything that keeps the program from opening this adapter as the
// programmer, the one to mend first at the front. Empty when nothing does.
std::vector<Finding> adapterFindings(const AdapterFacts& adapter, const FixSetting& setting);

// The first of adapterFindings, for a line beside the programmer status.
std::optional<AdapterAdvice> adviceFor(const AdapterFacts& adapter, const FixSetting& setting);

// Every problem on this machine: the backends first, then the adapters.
std::vector<Finding> findProblems(const DiagnosisFacts& facts);

// Exactly one adapter described as the programmer, opened during the
// survey, and a usable backend that can open it as it is.
bool programmerReachable(const DiagnosisFacts& facts);

}  // namespace quarn::diagnosis
