#pragma once
// The command line of quarnsoft. Without options the program behaves as a
// plain service tool on the real programmer; the options add the simulated
// programmer, the traffic monitor at start, and the usual help and version.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quarn::qt {

struct LaunchOptions {
    bool simulate = false;  // built-in simulated programmer and sensor
    bool monitor = false;   // show the traffic monitor at start
    bool help = false;
    bool version = false;
    bool benchStartup = false;   // print the time to the first shown window, then quit
    bool benchNoSensor = false;  // simulated programmer with nothing behind it (idle figures)
    std::string unknown;         // first option not understood, if any
};

LaunchOptions parseLaunchOptions(const std::vector<std::string>& arguments);

std::string usageText();
std::string versionText();

// On a Linux desktop without any display to open, the one line to print
// instead of letting the toolkit abort. The lookup reads an environment
// variable (null when unset).
std::optional<std::string> missingDisplayMessage(
    const std::function<const char*(const char*)>& environment);

}  // namespace quarn::qt
