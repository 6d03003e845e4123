#pragma once
// The report `quarnsoft --diagnose` prints: the driver backends, every FTDI
// adapter with all that is known of it, the udev rule, and the problems with
// their fixes, in plain text for a technician.

#include <string>
#include <vector>

#include "drivers/diagnosis/Findings.h"

namespace quarn::diagnosis {

// The process's exit status after the report.
inline constexpr int kExitProgrammerReachable = 0;    // the programmer can be opened
inline constexpr int kExitProgrammerUnreachable = 1;  // anything else

struct Diagnosis {
    std::string report;
    int exitStatus = kExitProgrammerUnreachable;
    std::vector<Finding> findings;
};

Diagnosis diagnose(const DiagnosisFacts& facts);

}  // namespace quarn::diagnosis
