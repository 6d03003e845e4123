#include "platform/HostFolders.h"

#include <filesystem>
#include <system_error>

#if defined(_WIN32)
#include <fstream>
#include <random>
#else
#include <unistd.h>
#endif

namespace quarn {

namespace fs = std::filesystem;

namespace {

fs::path utf8Path(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string utf8Text(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace

std::string installedDataDirectoryBeside(const std::string& executableDirectory) {
    return utf8Text((utf8Path(executableDirectory) / utf8Path(kInstalledDataFromExecutable))
                        .lexically_normal());
}

bool isWritableDirectory(const std::string& directory) {
    const fs::path folder = utf8Path(directory);
    std::error_code error;
    if (directory.empty() || !fs::is_directory(folder, error)) {
        return false;
    }
#if defined(_WIN32)
    // The read-only attribute of a folder says nothing about its files and
    // access rights are not in the permission bits: a file is tried.
    // A name nobody holds is taken, so that no file of anyone else's is
    // opened, and removed again.
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const fs::path probe = folder / ("quarnsoft-" + std::to_string(random()) + ".tmp");
        if (fs::exists(fs::symlink_status(probe, error))) {
            continue;
        }
        const bool created = static_cast<bool>(std::ofstream(probe, std::ios::binary));
        fs::remove(probe, error);
        return created;
    }
    return false;
#else
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
#endif
}

}  // namespace quarn
