// quarnsoft-cli: the Zel sensor from a terminal, on the same models as the
// GUI, without a toolkit.

#include <atomic>
#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>

#include <vector>

#if defined(_WIN32)
#include <windows.h>
// After windows.h, whose types it uses.
#include <shellapi.h>
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

// The folder of this executable, where StringTable.txt is looked for first
// (then in the installed data folder beside it).
std::string executableDirectory(const char* argv0) {
    std::error_code error;
#if defined(_WIN32)
    std::wstring name(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    name.resize(length);
    std::filesystem::path self =
        length > 0 ? std::filesystem::path(name) : std::filesystem::absolute(argv0, error);
#else
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        self = std::filesystem::absolute(argv0, error);
    }
#endif
    return self.parent_path().string();
}

#if defined(_WIN32)
// The command line as UTF-8, from the wide one Windows keeps: the narrow
// argv holds file names in the local code page, which loses characters.
std::vector<std::string> utf8Arguments() {
    std::vector<std::string> arguments;
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) {
        return arguments;
    }
    for (int i = 0; i < count; ++i) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<std::size_t>(size > 0 ? size - 1 : 0), '\0');
        if (size > 1) {
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
        }
        arguments.push_back(std::move(text));
    }
    LocalFree(wide);
    return arguments;
}
#endif

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
    const std::vector<std::string> arguments = utf8Arguments();
    std::vector<char*> utf8Argv;
    for (const std::string& argument : arguments) {
        utf8Argv.push_back(const_cast<char*>(argument.c_str()));
    }
    utf8Argv.push_back(nullptr);
    if (!arguments.empty()) {
        argc = static_cast<int>(arguments.size());
        argv = utf8Argv.data();
    }
#endif
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
