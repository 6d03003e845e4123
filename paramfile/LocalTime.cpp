#include "paramfile/LocalTime.h"

#include <cstdio>
#include <ctime>

namespace quarn::paramfile {

bool localCalendarTime(std::time_t instant, std::tm& local) {
#if defined(_WIN32)
    return localtime_s(&local, &instant) == 0;
#else
    return localtime_r(&instant, &local) != nullptr;
#endif
}

std::string isoLocalTime(std::chrono::system_clock::time_point when) {
    using namespace std::chrono;
    const sys_seconds instant = floor<seconds>(when);
    const auto since = static_cast<std::time_t>(instant.time_since_epoch().count());
    std::tm local{};
    if (!localCalendarTime(since, local)) {
        return {};
    }
    // The offset is the local calendar time read as if it were UTC, less
    // the instant: strftime's %z is not the same on every C library.
    const sys_days day = year{local.tm_year + 1900} / (local.tm_mon + 1) / local.tm_mday;
    const sys_seconds localAsUtc =
        day + hours{local.tm_hour} + minutes{local.tm_min} + seconds{local.tm_sec};
    const auto offsetMinutes = duration_cast<minutes>(localAsUtc - instant).count();
    const long long offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;

    char text[128];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02lld:%02lld",
                  local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offsetMinutes < 0 ? '-' : '+', offset / 60,
                  offset % 60);
    return text;
}

}  // namespace quarn::paramfile
