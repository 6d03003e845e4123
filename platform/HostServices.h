#pragma once
// Small services of the host system that the logic needs: where the program
// lives, its version, the time of day, the fatal message box, the user's
// decimal separator and the end of the application. Qt implements them in
// the product; tests use a recording fake.

#include <chrono>
#include <string>

namespace quarn {

struct AppVersion {
    int major = 1;
    int minor = 0;
    int revision = 0;
};

class HostServices {
  public:
    virtual ~HostServices() = default;

    // Directory of the executable, where StringTable.txt and QuarnSoft.prm live.
    virtual std::string applicationDirectory() const = 0;
    virtual AppVersion version() const = 0;
    // The current time of day in the system's format, for monitor lines.
    virtual std::string timeOfDay() const = 0;
    // The wall-clock time, for records a technician keeps (history export,
    // change log, report). Tests give a fixed one.
    virtual std::chrono::system_clock::time_point wallClock() const {
        return std::chrono::system_clock::now();
    }
    // The user's decimal separator ("," under an Italian locale).
    virtual std::string decimalSeparator() const = 0;
    // A modal message box with the critical icon and a single OK button;
    // returns when the user has closed it.
    virtual void showCriticalMessage(const std::string& title, const std::string& text) = 0;
    // Asks the event loop to end once the current handler has returned.
    virtual void quitApplication() = 0;
};

}  // namespace quarn
