#pragma once
// The whole run of the program, from the command line to the end of the
// event loop: help and version, the check for a display, the toolkit, the
// programmer (the vendor's driver, or the built-in simulator with
// --simulate) and the windows. quarnsoft's main() is this run; a tool built
// on the same start-up (the start-up benchmark) adds to it through
// StartupAdditions.

#include <functional>

#include "gui/GuiApplication.h"

namespace quarn::gui {

// Process exit codes.
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoDisplay = 1;
inline constexpr int kExitStartFailed = 1;

struct StartupAdditions {
    // Whether the simulated programmer of --simulate has the Zel sensor
    // behind it.
    bool simulatedSensor = true;
    // Runs once the windows are up, just before the event loop.
    std::function<void(GuiApplication&)> beforeEventLoop;
};

// Runs the program with main()'s arguments; returns the process exit code.
int runProgram(int argc, char** argv, const StartupAdditions& additions = {});

}  // namespace quarn::gui
