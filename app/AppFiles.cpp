#include "app/AppFiles.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <system_error>

namespace quarn::app {

namespace fs = std::filesystem;

namespace {

fs::path utf8Path(std::string_view text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

// The temporary file sits in the same directory so that the rename stays on
// one file system and replaces the target in one step.
fs::path temporaryPathFor(const fs::path& path) {
    fs::path temporary = path;
    temporary += ".new";
    return temporary;
}

bool writeWholeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool written = static_cast<bool>(out);
    out.close();
    return written && !out.fail();
}

// Only a plain file of ours is removed, never a directory of that name.
void removeTemporary(const fs::path& temporary) {
    std::error_code error;
    if (fs::is_regular_file(temporary, error)) {
        fs::remove(temporary, error);
    }
}

}  // namespace

fs::path appFilePath(const std::string& directory, std::string_view fileName) {
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

bool replaceFile(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    if (fs::is_directory(path, error)) {
        return false;
    }
    const fs::path temporary = temporaryPathFor(path);
    if (!writeWholeFile(temporary, bytes)) {
        removeTemporary(temporary);
        return false;
    }
    fs::rename(temporary, path, error);
    if (error) {
        removeTemporary(temporary);
        return false;
    }
    return true;
}

}  // namespace quarn::app
