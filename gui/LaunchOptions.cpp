#include "gui/LaunchOptions.h"

namespace quarn::qt {

LaunchOptions parseLaunchOptions(const std::vector<std::string>& arguments) {
    LaunchOptions options;
    for (const std::string& argument : arguments) {
        if (argument == "--simulate") {
            options.simulate = true;
        } else if (argument == "--monitor") {
            options.monitor = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--bench-startup") {
            options.benchStartup = true;
        } else if (argument == "--bench-no-sensor") {
            options.simulate = true;
            options.benchNoSensor = true;
        } else if (options.unknown.empty()) {
            options.unknown = argument;
        }
    }
    return options;
}

std::string usageText() {
    return "Usage: quarnsoft [--simulate] [--monitor]\n"
           "       quarnsoft --help | --version\n"
           "\n"
           "Service tool for the Zel radar motion sensor on the QuarnProg USB programmer.\n"
           "\n"
           "  --simulate  run on a built-in simulated programmer with a Zel sensor attached\n"
           "  --monitor   show the traffic monitor window at start (also Ctrl+Shift+D)\n"
           "  --help      show this text and exit\n"
           "  --version   show the version and exit\n";
}

std::string versionText() {
    return "quarnsoft " + std::to_string(QUARN_VERSION_MAJOR) + "." +
           std::to_string(QUARN_VERSION_MINOR) + "." + std::to_string(QUARN_VERSION_PATCH) + "\n";
}

std::optional<std::string> missingDisplayMessage(
    const std::function<const char*(const char*)>& environment) {
#ifdef __linux__
    auto isSet = [&](const char* name) {
        const char* value = environment(name);
        return value != nullptr && value[0] != '\0';
    };
    if (!isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") && !isSet("QT_QPA_PLATFORM")) {
        return std::string(
            "quarnsoft: no display available (DISPLAY is not set); use xvfb-run or set "
            "QT_QPA_PLATFORM=offscreen");
    }
#else
    (void)environment;
#endif
    return std::nullopt;
}

}  // namespace quarn::qt
