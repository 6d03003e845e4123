#pragma once
// Writes a whole file so that it is either all there or not touched: the
// bytes go to a temporary file beside the target, which is then renamed
// over it in one step. A write that fails (full disk, no permission, a
// folder that is not there) removes the temporary file and leaves any file
// already under the name as it was.

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quarn::workbench {

enum class ReplaceFailure {
    NotWritten,   // the temporary file could not be created or written whole
    NotReplaced,  // it was written but could not take the target's name
};

struct ReplaceError {
    ReplaceFailure failure;
    std::error_code cause;  // the system's reason, when it gave one
};

// `utf8Path` names the target in UTF-8 on every system.
std::optional<ReplaceError> replaceWholeFile(const std::string& utf8Path, std::string_view bytes);

}  // namespace quarn::workbench
