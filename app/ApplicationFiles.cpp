#include "app/ApplicationFiles.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quarn::app {

namespace fs = std::filesystem;

namespace {

// The system refuses deeper chains of symbolic links too.
constexpr int kMaxLinkHops = 40;

fs::path utf8Path(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// The file at the end of path's chain of symbolic links (a relative link is
// read from the link's own folder); path itself when it is no link. Nothing
// when a link cannot be read or the chain does not end.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path target = fs::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

// A file nobody may write to, or that this process may not write to, stays
// as it is: replacing it would defeat its protection.
bool isReadOnly(const fs::path& path, fs::perms permissions) {
    constexpr fs::perms kAnyWrite =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((permissions & kAnyWrite) == fs::perms::none) {
        return true;
    }
#ifndef _WIN32
    return ::access(path.c_str(), W_OK) != 0;
#else
    static_cast<void>(path);  // the permission bits above are all Windows keeps
    return false;
#endif
}

// True when the file at path (links already followed) may be replaced: it
// does not exist yet, or it is a plain file that may be written.
bool replaceable(const fs::path& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        return true;
    }
    return fs::is_regular_file(status) && !isReadOnly(path, status.permissions());
}

// The temporary file sits in the same directory so that the rename stays on
// one file system and replaces the target in one step.
fs::path temporaryPathFor(const fs::path& path) {
    fs::path temporary = path;
    temporary += ".new";
    return temporary;
}

std::error_code lastSystemError() {
    return errno != 0 ? std::error_code(errno, std::generic_category()) : std::error_code{};
}

std::optional<std::error_code> writeWholeFile(const fs::path& path, std::string_view bytes) {
    errno = 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return lastSystemError();
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    if (!written || out.fail()) {
        return lastSystemError();
    }
    return std::nullopt;
}

// Only a plain file of ours is removed, never a directory of that name.
void removeTemporary(const fs::path& temporary) {
    std::error_code error;
    if (fs::is_regular_file(temporary, error)) {
        fs::remove(temporary, error);
    }
}

}  // namespace

fs::path applicationFilePath(const std::string& directory, std::string_view fileName) {
    return utf8Path(directory) / utf8Path(fileName);
}

std::optional<std::string> readFileBytes(const fs::path& path, std::size_t maxBytes) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, std::size_t{64} * 1024> chunk{};
    while (bytes.size() < maxBytes) {
        const std::size_t wanted = std::min(chunk.size(), maxBytes - bytes.size());
        in.read(chunk.data(), static_cast<std::streamsize>(wanted));
        const std::streamsize got = in.gcount();
        if (got > 0) {
            bytes.append(chunk.data(), static_cast<std::size_t>(got));
        }
        if (!in) {
            break;
        }
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<ReplaceError> replaceFile(const fs::path& path, std::string_view bytes) {
    const std::optional<fs::path> target = followLinks(path);
    if (!target) {
        return ReplaceError{ReplaceFailure::NotReplaced,
                            std::make_error_code(std::errc::too_many_symbolic_link_levels)};
    }
    if (!replaceable(*target)) {
        std::error_code error;
        return ReplaceError{
            ReplaceFailure::NotReplaced,
            std::make_error_code(fs::is_directory(*target, error) ? std::errc::is_a_directory
                                                                  : std::errc::permission_denied)};
    }
    const fs::path temporary = temporaryPathFor(*target);
    std::error_code probe;
    const fs::file_status held = fs::symlink_status(temporary, probe);
    if (fs::exists(held) && !fs::is_regular_file(held)) {
        return ReplaceError{ReplaceFailure::NotWritten,
                            std::make_error_code(std::errc::file_exists)};
    }
    if (const std::optional<std::error_code> cause = writeWholeFile(temporary, bytes)) {
        removeTemporary(temporary);
        return ReplaceError{ReplaceFailure::NotWritten, *cause};
    }
    std::error_code error;
    fs::rename(temporary, *target, error);
    if (error) {
        removeTemporary(temporary);
        return ReplaceError{ReplaceFailure::NotReplaced, error};
    }
    return std::nullopt;
}

}  // namespace quarn::app
