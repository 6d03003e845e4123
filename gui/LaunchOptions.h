#pragma once
// The command line of quarnsoft. Without options the program behaves as a
// plain service tool on the real programmer; the options choose the driver
// backend (or the simulated programmer), show the traffic monitor at start,
// record the session's driver calls or replay a recorded session, print a
// diagnosis of the USB side, and give Qt's usual help and version.
// Qt's own options (-platform, -style, -reverse, ...) are accepted too: the
// toolkit takes them out of the command line when it starts.
//
// The command line is read in two steps, because the toolkit needs a display
// to start at all: before it starts, only help and version are looked for
// (anything unknown may still be the toolkit's); once it has started, every
// argument left must be one of ours.

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "drivers/backend/DriverChoice.h"

namespace quarn::gui {

struct LaunchOptions {
    backend::DriverChoice driver = backend::DriverChoice::Auto;  // --simulate: Simulate
    bool monitor = false;  // show the traffic monitor at start
    QString recordPath;    // capture of the session's driver calls; empty: none
    QString replayPath;    // capture to run against instead of a driver; empty: none

    bool simulate() const { return driver == backend::DriverChoice::Simulate; }
};

// Gives the toolkit the program's name and version, for the help, the
// version and the window titles. Works before the toolkit starts.
void describeProgram();

// What the command line asks to be answered without starting the windows.
enum class EarlyAnswer {
    None,
    Help,      // -h, --help
    HelpAll,   // --help-all: with the toolkit's own options
    Version,   // -v, --version
    Diagnose,  // --diagnose: the report on the USB side, no window
};

// Reads the whole command line (the toolkit's options still in it, the
// program's name first) for help or version; anything else is let through.
EarlyAnswer earlyAnswer(const QStringList& arguments);

// Prints the help or the version as Qt prints them and ends the process
// with success. Needs no display. (The diagnosis is given by the caller.)
[[noreturn]] void giveEarlyAnswer(EarlyAnswer answer, int& argc, char** argv);

struct ParsedLaunch {
    LaunchOptions options;
    QString error;  // empty when the command line was understood
};

// Reads the command line once the toolkit has taken its own options out
// (the program's name first). An option that is not ours, or any argument
// that is no option, is an error.
ParsedLaunch parseLaunchOptions(const QStringList& arguments);

// The help text, for a usage error.
QString usageText();

// On a Linux desktop without any display to open, the one line to print
// instead of letting the toolkit abort. The lookup reads an environment
// variable (null when unset); a platform chosen on the command line
// (-platform offscreen) counts as a display.
std::optional<std::string> missingDisplayMessage(
    const std::function<const char*(const char*)>& environment, const QStringList& arguments);

}  // namespace quarn::gui
