#include "workbench/FileReplacement.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace quarn::workbench {

namespace fs = std::filesystem;

namespace {

fs::path pathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// Beside the target, so that the rename stays on one file system.
fs::path temporaryFor(const fs::path& target) {
    fs::path temporary = target;
    temporary += ".part";
    return temporary;
}

std::error_code lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()) : std::error_code{};
}

// Only a plain file is removed, never a folder that happens to bear the name.
void removeTemporary(const fs::path& temporary) {
    std::error_code ignored;
    if (fs::is_regular_file(temporary, ignored)) {
        fs::remove(temporary, ignored);
    }
}

}  // namespace

std::optional<ReplaceError> replaceWholeFile(const std::string& utf8Path, std::string_view bytes) {
    const fs::path target = pathFromUtf8(utf8Path);
    const fs::path temporary = temporaryFor(target);
    // Something else under the temporary name (a link, a folder) is left
    // alone: writing through it would change a file that is not ours.
    std::error_code probe;
    const fs::file_status held = fs::symlink_status(temporary, probe);
    if (fs::exists(held) && !fs::is_regular_file(held)) {
        return ReplaceError{ReplaceFailure::NotWritten,
                            std::make_error_code(std::errc::file_exists)};
    }
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return ReplaceError{ReplaceFailure::NotWritten, lastSystemError()};
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        out.close();
        if (!out) {
            const std::error_code cause = lastSystemError();
            removeTemporary(temporary);
            return ReplaceError{ReplaceFailure::NotWritten, cause};
        }
    }
    std::error_code renamed;
    fs::rename(temporary, target, renamed);
    if (renamed) {
        removeTemporary(temporary);
        return ReplaceError{ReplaceFailure::NotReplaced, renamed};
    }
    return std::nullopt;
}

}  // namespace quarn::workbench
