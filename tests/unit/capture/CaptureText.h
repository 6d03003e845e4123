#pragma once
// Capture texts for the tests: the header and the given lines, each ended.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "drivers/capture/CaptureLine.h"
#include "drivers/capture/CaptureParser.h"

namespace quarn::capture::testing {

inline std::string captureOf(std::initializer_list<std::string_view> lines) {
    std::string text = std::string(kCaptureHeader) + "\n";
    for (const std::string_view line : lines) {
        text += line;
        text += '\n';
    }
    return text;
}

// The events of a capture that must parse.
inline std::vector<CaptureEvent> eventsOf(std::initializer_list<std::string_view> lines) {
    ParsedCapture parsed = parseCapture(captureOf(lines));
    if (!parsed.ok()) {
        throw std::runtime_error(parsed.error->message());
    }
    return std::move(parsed.events);
}

}  // namespace quarn::capture::testing
