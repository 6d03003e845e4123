// quarnsoft: the service tool's executable. Reads the options, makes sure a
// display can be opened, chooses the programmer (the vendor's driver, or the
// built-in simulator with --simulate), and runs the windows.

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "drivers/d2xx/VendorDriver.h"
#include "gui/Artwork.h"
#include "gui/DemoBus.h"
#include "gui/FirstPaintProbe.h"
#include "gui/GuiApplication.h"
#include "gui/LaunchOptions.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/QtTimerService.h"

namespace {

constexpr int kExitUsage = 2;
constexpr int kExitNoDisplay = 1;
constexpr int kExitStartFailed = 1;

int runWindows(int argc, char** argv, const quarn::qt::LaunchOptions& options,
               std::chrono::steady_clock::time_point launched) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnSoft"));
    // The models decide when the program ends, not the last closed window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(quarn::qt::drawWindowIcon());
    quarn::qt::installFontSubstitutions();

    quarn::qt::QtHost host;
    quarn::qt::QtTimerService timers;
    std::unique_ptr<quarn::qt::DemoBus> demo;
    std::unique_ptr<quarn::d2xx::VendorDriver> vendor;
    quarn::D2xxDriver* driver = nullptr;
    if (options.simulate) {
        demo = std::make_unique<quarn::qt::DemoBus>(!options.benchNoSensor);
        driver = &demo->driver();
    } else {
        vendor = std::make_unique<quarn::d2xx::VendorDriver>();
        if (!vendor->loaded()) {
            // The programmer status will show the driver failure; say why here.
            std::fprintf(stderr, "quarnsoft: %s\n", vendor->loadError().c_str());
        }
        driver = vendor.get();
    }

    quarn::qt::GuiApplication gui(*driver, timers, host);
    gui.start(options.monitor);
    if (gui.ended() || host.quitRequested()) {
        // Start-up failed (the string table is missing): no event loop.
        return kExitStartFailed;
    }
    if (options.benchStartup && gui.startWindow().widget() != nullptr) {
        new quarn::qt::FirstPaintProbe(gui.startWindow().widget(), launched);
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    const auto launched = std::chrono::steady_clock::now();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const quarn::qt::LaunchOptions options = quarn::qt::parseLaunchOptions(arguments);

    if (!options.unknown.empty()) {
        std::fprintf(stderr, "quarnsoft: unknown option '%s'\n%s", options.unknown.c_str(),
                     quarn::qt::usageText().c_str());
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(quarn::qt::usageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::fputs(quarn::qt::versionText().c_str(), stdout);
        return 0;
    }
    if (const auto problem =
            quarn::qt::missingDisplayMessage([](const char* name) { return std::getenv(name); })) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return kExitNoDisplay;
    }
    return runWindows(argc, argv, options, launched);
}
