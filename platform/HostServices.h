#pragma once
// Small services of the host system that the logic needs: where the program
// and its files live, its version, the time of day, the fatal message box,
// the user's decimal separator and the end of the application. Qt
// implements them in the product; tests use a recording fake.

#include <chrono>
#include <string>

#include "platform/HostFolders.h"

namespace quarn {

struct AppVersion {
    int major = 1;
    int minor = 0;
    int revision = 0;
};

class HostServices {
  public:
    virtual ~HostServices() = default;

    // Directory of the executable. A portable folder keeps StringTable.txt
    // and QuarnSoft.prm here; it is where both are looked for first.
    virtual std::string applicationDirectory() const = 0;
    // The installed data folder (kInstalledDataFromExecutable), where
    // StringTable.txt is looked for when the executable's folder has none.
    // Empty when the host has no such place.
    virtual std::string installedDataDirectory() const { return {}; }
    // The user's configuration folder for this program, where the settings
    // go when the executable's folder takes no files. Empty when the host
    // has none (then such settings are not kept).
    virtual std::string userConfigDirectory() const { return {}; }
    // True when files may be created in directory; tests may answer for a
    // folder whose permissions the superuser would ignore.
    virtual bool directoryWritable(const std::string& directory) const {
        return isWritableDirectory(directory);
    }
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
