#include "drivers/diagnosis/UdevRule.h"

#include <system_error>

namespace quarn::diagnosis {

std::vector<std::filesystem::path> defaultUdevRuleDirectories() {
    return {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/local/lib/udev/rules.d",
            "/usr/lib/udev/rules.d", "/lib/udev/rules.d"};
}

UdevRuleStatus locateUdevRule(const std::vector<std::filesystem::path>& directories) {
    UdevRuleStatus status;
    for (const std::filesystem::path& directory : directories) {
        status.placesLooked.push_back(directory.string());
        if (status.state != UdevRuleState::Missing) {
            continue;  // the places after the one that decides are still named
        }
        const std::filesystem::path candidate = directory / kUdevRuleName;
        std::error_code error;
        const std::filesystem::file_status entry =
            std::filesystem::symlink_status(candidate, error);
        if (error || !std::filesystem::exists(entry)) {
            continue;
        }
        status.foundAt = candidate.string();
        status.state = std::filesystem::is_regular_file(candidate, error) ? UdevRuleState::Installed
                                                                          : UdevRuleState::Masked;
    }
    return status;
}

}  // namespace quarn::diagnosis
