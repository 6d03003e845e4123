#pragma once
// The diagnosis of this machine: the facts gathered from the driver
// backends, the USB bus and the udev rule directories, and the advisor the
// start window asks after a failed open.

#include <memory>
#include <string>

#include "drivers/diagnosis/Findings.h"
#include "platform/AdapterAdvisor.h"
#include "platform/DevLog.h"

namespace quarn::backend {

// udevRuleSource: the rule file shipped with the program, for the fix.
diagnosis::DiagnosisFacts gatherMachineFacts(const std::string& udevRuleSource, DevLog& log);

// Advises on the programmer's adapter after a failed open by surveying the
// bus again. The fix's setting (backends, udev directories) is worked out
// from the machine's facts at the first failed open, not before: a program
// that opens its programmer never loads the backends twice or surveys the
// bus. The log must outlive the advisor.
std::unique_ptr<AdapterAdvisor> makeMachineAdvisor(std::string udevRuleSource, DevLog& log);

}  // namespace quarn::backend
