#pragma once
// File access for the shell's two files in the application directory:
// building their paths from UTF-8 text, reading them whole, and replacing
// a file so that a failed write leaves the old one intact.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace quarn::app {

// directory / fileName, both UTF-8.
std::filesystem::path applicationFilePath(const std::string& directory, std::string_view fileName);

// The file's bytes, at most maxBytes of them; nothing when it cannot be read
// (missing, a directory, no permission).
std::optional<std::string> readFileBytes(const std::filesystem::path& path, std::size_t maxBytes);

// Writes bytes to a temporary file beside path and renames it over path.
// A symbolic link is followed: the file it leads to is replaced, in that
// file's own folder, and the link stays a link. Only a plain file (or none)
// is replaced; a read-only file, a directory, a device or a chain of links
// that loops or breaks gets nothing written. Returns false, leaving
// everything as it was and no temporary behind, on any error.
bool replaceFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quarn::app
