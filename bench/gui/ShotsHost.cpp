#include "ShotsHost.h"

#include <cstdio>

namespace quarn::shots {

std::string ShotsHost::timeOfDay() const {
    constexpr std::int64_t kStartSeconds = 10 * 3600;
    const std::int64_t seconds = kStartSeconds + clock_.nowMs() / 1000;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 3600 % 24),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

void ShotsHost::showCriticalMessage(const std::string& title, const std::string& text) {
    // No one is there to close a message box: report it and go on.
    std::fprintf(stderr, "quarn_shots: %s: %s\n", title.c_str(), text.c_str());
}

}  // namespace quarn::shots
