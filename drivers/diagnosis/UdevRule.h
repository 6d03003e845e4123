#pragma once
// Whether the udev rule that lets a user without root open the programmer is
// installed: the rule file looked for by name in the directories udev reads
// rules from, in udev's own order of precedence.

#include <filesystem>
#include <string>
#include <vector>

namespace quarn::diagnosis {

inline constexpr char kUdevRuleName[] = "60-quarnprog.rules";

enum class UdevRuleState {
    Missing,    // in none of the places looked
    Installed,  // a rule file of that name, at foundAt
    Masked,     // the first entry of that name is no rule file (a link to /dev/null)
};

struct UdevRuleStatus {
    UdevRuleState state = UdevRuleState::Missing;
    std::string foundAt;                    // the entry udev reads; empty when missing
    std::vector<std::string> placesLooked;  // the directories, in the order looked
};

// /etc/udev/rules.d, /run/udev/rules.d, /usr/local/lib/udev/rules.d,
// /usr/lib/udev/rules.d, /lib/udev/rules.d: udev's order of precedence.
std::vector<std::filesystem::path> defaultUdevRuleDirectories();

// udev reads the first file of a name in directory order and ignores the
// others: an entry in an earlier directory that is no regular file (a link
// to /dev/null) switches the rule off even when a later directory has it.
UdevRuleStatus locateUdevRule(
    const std::vector<std::filesystem::path>& directories = defaultUdevRuleDirectories());

}  // namespace quarn::diagnosis
