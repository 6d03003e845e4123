#include "cli/HeadlessHost.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "paramfile/LocalTime.h"

namespace quarn::cli {

AppVersion HeadlessHost::version() const {
    AppVersion version;
    std::sscanf(QUARN_VERSION_TEXT, "%d.%d.%d", &version.major, &version.minor, &version.revision);
    return version;
}

std::string HeadlessHost::timeOfDay() const {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    if (!paramfile::localCalendarTime(now, local)) {
        return {};
    }
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

void HeadlessHost::showCriticalMessage(const std::string& title, const std::string& text) {
    err_ << title << ": " << text << '\n';
}

}  // namespace quarn::cli
