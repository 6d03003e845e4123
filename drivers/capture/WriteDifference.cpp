#include "drivers/capture/WriteDifference.h"

#include "drivers/capture/CaptureSyntax.h"

namespace quarn::capture {
namespace {

std::string shown(const std::vector<std::uint8_t>& bytes) {
    return bytes.empty() ? std::string("no bytes") : hexBytes(bytes);
}

}  // namespace

std::string describe(const WriteDifference& difference) {
    std::string text =
        "write " + std::to_string(difference.writeNumber) + " differs from the capture";
    if (difference.captureLine != 0) {
        text += " (line " + std::to_string(difference.captureLine) + ")";
    }
    text += ": recorded at " + std::to_string(difference.recordedAtMs) + " ms as " +
            shown(difference.recorded) + ", written at " + std::to_string(difference.replayedAtMs) +
            " ms as " + shown(difference.actual);
    return text;
}

}  // namespace quarn::capture
