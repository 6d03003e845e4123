#include "drivers/capture/CaptureFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace quarn::capture {
namespace {

ParsedCapture fileProblem(const std::filesystem::path& path, const std::string& what) {
    ParsedCapture parsed;
    parsed.error = CaptureError{0, "cannot replay " + path.string() + ": " + what};
    return parsed;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

ParsedCapture readCaptureFile(const std::filesystem::path& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        return fileProblem(path, std::strerror(errno));
    }
    // Reading stops as soon as the text would pass the limit, whatever the
    // file system says the size is (a pipe has none).
    std::string text;
    char block[65536];
    std::size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
        if (text.size() + got > kMaxCaptureBytes) {
            return fileProblem(path, "the file is larger than 64 MiB");
        }
        text.append(block, got);
    }
    if (std::ferror(file.get()) != 0) {
        return fileProblem(path, "the file could not be read to its end");
    }
    return parseCapture(text);
}

}  // namespace quarn::capture
