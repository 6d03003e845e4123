// quarnsoft-cli: the Zel sensor from a terminal, on the same models as the
// GUI, without a toolkit.

#include <csignal>
#include <filesystem>
#include <iostream>

#include "cli/Commands.h"
#include "cli/MachineDrivers.h"

namespace {

// The one thing a signal handler may touch. Lock-free, so setting it from
// the handler is safe.
std::atomic<bool> stopRequested{false};  // NOLINT: the signal handler's flag
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void requestStop(int /*signal*/) {
    stopRequested.store(true);
}

std::string executableDirectory(const char* argv0) {
    std::error_code error;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0, error);
    }
    return self.parent_path().string();
}

}  // namespace

int main(int argc, char** argv) {
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);

    quarn::VirtualClock clock;
    quarn::SteadyRealTime realTime;
    quarn::cli::MachineDrivers drivers(clock);
    const quarn::cli::ProgramContext context{
        clock,
        realTime,
        [&drivers](quarn::backend::DriverChoice choice, std::string& problem) {
            return drivers.driverFor(choice, problem);
        },
        executableDirectory(argv[0]),
        [] { return std::chrono::system_clock::now(); },
        &stopRequested,
        std::cout,
        std::cerr,
    };
    return quarn::cli::runProgram(argc, argv, context);
}
