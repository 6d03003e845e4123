// quarnsoft-cli: the Zel sensor from a terminal, on the same models as the
// GUI, without a toolkit.

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#endif

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

// The folder of this executable, where StringTable.txt is looked for.
std::string executableDirectory(const char* argv0) {
    std::error_code error;
#if defined(_WIN32)
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    name.resize(length);
    std::filesystem::path self = length > 0 ? std::filesystem::path(name)
                                            : std::filesystem::absolute(argv0, error);
#else
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0, error);
    }
#endif
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
