#pragma once
// File names reach the tool as UTF-8 (on Windows, main() converts the wide
// command line); the file system is given them as such, so that a name
// with accents opens the same file on every system.

#include <filesystem>
#include <string>

namespace quarn::cli {

inline std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace quarn::cli
