#pragma once
// Facts about the folders the program's files live in that every host
// shares: where an installation keeps the program's data relative to the
// executable, and whether a folder takes new files.

#include <string>
#include <string_view>

namespace quarn {

// An installation puts the executable in <prefix>/bin and its data (the
// string table) in <prefix>/share/quarnsoft: this is the second seen from
// the first.
inline constexpr std::string_view kInstalledDataFromExecutable = "../share/quarnsoft";

// The folder of the program's own in the user's configuration folder
// (~/.config/QuarnSoft).
inline constexpr std::string_view kUserConfigFolderName = "QuarnSoft";

// The installed data folder of an executable in executableDirectory
// (UTF-8 in, UTF-8 out), with the "..", so that a message names the
// folder itself.
std::string installedDataDirectoryBeside(const std::string& executableDirectory);

// True when this process may create files in directory (an existing
// folder). False for a missing folder, a file, a read-only file system or
// a folder without write permission.
bool isWritableDirectory(const std::string& directory);

}  // namespace quarn
