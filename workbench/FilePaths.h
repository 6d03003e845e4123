#pragma once
// File names reach the tool windows as UTF-8 from the file dialogs; the file
// system is given them as such, so a name with accents is the same file on
// every system.

#include <filesystem>
#include <string>

namespace quarn::workbench {

inline std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// The last part of a path (the file's name), as UTF-8.
inline std::string fileNameOf(const std::string& utf8Path) {
    const std::u8string name = pathFromUtf8(utf8Path).filename().u8string();
    return {name.begin(), name.end()};
}

}  // namespace quarn::workbench
