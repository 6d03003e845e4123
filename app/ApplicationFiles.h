#pragma once
// File access for the shell's two files in the application directory:
// building their paths from UTF-8 text, reading them whole, and replacing
// a file so that a failed write leaves the old one intact.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace quarn::app {

// directory / fileName, both UTF-8.
std::filesystem::path applicationFilePath(const std::string& directory, std::string_view fileName);

// The file's bytes, at most maxBytes of them; nothing when it cannot be read
// (missing, a directory, no permission).
std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

enum class ReplaceFailure {
    NotWritten,   // the temporary file could not be created or written whole
    NotReplaced,  // the target may not be replaced, or would not take the new file
};

struct ReplaceError {
    ReplaceFailure failure;
    std::error_code cause;  // the system's reason, when it gave one
};

// Writes bytes to a temporary file beside path and renames it over path, so
// that the file is either all there or not touched. A symbolic link is
// followed: the file it leads to is replaced, in that file's own folder,
// and the link stays a link. Only a plain file (or none) is replaced; a
// read-only file, a directory, a device or a chain of links that loops or
// breaks gets nothing written, and so does a target whose temporary name
// is taken by anything but a plain file (writing through it would change a
// file that is not ours). On any error everything stays as it was, no
// temporary is left behind, and the error says why.
std::optional<ReplaceError> replaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quarn::app
