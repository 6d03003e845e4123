#pragma once
// A capture file from disk, read whole and parsed. A file larger than the
// capture limit is refused before it is read.

#include <filesystem>

#include "drivers/capture/CaptureParser.h"

namespace quarn::capture {

// Errors about the file itself (missing, unreadable, too large) come with
// line 0 and name the file.
ParsedCapture readCaptureFile(const std::filesystem::path& path);

}  // namespace quarn::capture
