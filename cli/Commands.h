#pragma once
// quarnsoft-cli as a function: the command line in, the results on `out`,
// messages on `err`, the exit status back. main() gives it the machine;
// tests give it a simulated bus, a clock that never waits and string streams.

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "drivers/backend/DriverChoice.h"
#include "platform/D2xxDriver.h"
#include "platform/RealTimeRunner.h"
#include "platform/VirtualClock.h"

namespace quarn::cli {

enum ExitStatus : int {
    kExitDone = 0,           // done, and verified where something was written
    kExitUsage = 1,          // usage, or a bad parameter file
    kExitNoProgrammer = 2,   // no programmer, two of them, or no usable driver
    kExitNoSensor = 3,       // no Zel sensor behind the programmer
    kExitNotVerified = 4,    // no acknowledgement, or other values read back
    kExitTimedOut = 5,       // the sensor or the command took longer than --timeout
    kExitInterrupted = 130,  // Ctrl+C before the command was complete (128 + SIGINT)
};

struct ProgramContext {
    VirtualClock& clock;
    RealTime& realTime;
    // The driver for --driver; null, with the reason, when none can be used.
    std::function<D2xxDriver*(backend::DriverChoice, std::string& problem)> driverFor;
    std::string applicationDirectory;  // the executable's folder
    std::function<std::chrono::system_clock::time_point()> wallTime;
    const std::atomic<bool>* stop = nullptr;  // set on SIGINT or SIGTERM
    std::ostream& out;
    std::ostream& err;
};

int runProgram(int argc, const char* const* argv, const ProgramContext& context);

}  // namespace quarn::cli
