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
// bus again; the setting is worked out once, from the facts given.
std::unique_ptr<AdapterAdvisor> makeMachineAdvisor(const diagnosis::DiagnosisFacts& facts);

}  // namespace quarn::backend
