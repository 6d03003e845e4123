#pragma once
// The time a parameter file is saved at, as the technician's clock shows it.

#include <chrono>
#include <ctime>
#include <string>

namespace quarn::paramfile {

// The local time of `when` in ISO 8601, to the second, with the offset from
// UTC that applied then: "2026-12-07T15:30:00+01:00". Empty when the system
// cannot express the time locally. Callers pass the clock's now; tests pass
// a fixed time.
std::string isoLocalTime(std::chrono::system_clock::time_point when);

// The local calendar time of an instant, on every system (localtime_r on
// POSIX, localtime_s on Windows); false when the system cannot express it.
bool localCalendarTime(std::time_t instant, std::tm& local);

}  // namespace quarn::paramfile
