#include "gui/ProgramRun.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "drivers/d2xx/VendorDriver.h"
#include "gui/Artwork.h"
#include "gui/DemoBus.h"
#include "gui/LaunchOptions.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/QtTimerService.h"

namespace quarn::gui {

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    return arguments;
}

int runDiagnosis() {
    std::fprintf(stderr, "quarnsoft: the diagnosis is not built yet\n");
    return 1;
}

int runWindows(const LaunchOptions& options, const StartupAdditions& additions) {
    // The models decide when the program ends, not the last closed window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(drawWindowIcon());
    qt::installFontSubstitutions();

    qt::QtHost host;
    qt::QtTimerService timers;
    std::unique_ptr<DemoBus> demo;
    std::unique_ptr<d2xx::VendorDriver> vendor;
    D2xxDriver* driver = nullptr;
    if (options.simulate()) {
        demo = std::make_unique<DemoBus>(additions.simulatedSensor);
        driver = &demo->driver();
    } else {
        vendor = std::make_unique<d2xx::VendorDriver>();
        if (!vendor->loaded()) {
            // The programmer status will show the driver failure; say why here.
            std::fprintf(stderr, "quarnsoft: %s\n", vendor->loadError().c_str());
        }
        driver = vendor.get();
    }

    GuiApplication gui(*driver, timers, host);
    gui.start(options.monitor);
    if (gui.ended() || host.quitRequested()) {
        // Start-up failed (the string table is missing): no event loop.
        return kExitStartFailed;
    }
    if (additions.beforeEventLoop) {
        additions.beforeEventLoop(gui);
    }
    return QApplication::exec();
}

}  // namespace

int runProgram(int argc, char** argv, const StartupAdditions& additions) {
    describeProgram();
    const QStringList arguments = argumentList(argc, argv);
    if (const EarlyAnswer answer = earlyAnswer(arguments); answer != EarlyAnswer::None) {
        if (answer == EarlyAnswer::Diagnose) {
            return runDiagnosis();
        }
        giveEarlyAnswer(answer, argc, argv);
    }
    // Qt aborts when it finds no display: say so plainly before it tries.
    if (const auto problem =
            missingDisplayMessage([](const char* name) { return std::getenv(name); }, arguments)) {
        std::fprintf(stderr, "%s\n", problem->c_str());
        return kExitNoDisplay;
    }
    // The toolkit takes its own options out of argc and argv here.
    QApplication application(argc, argv);
    const ParsedLaunch launch = parseLaunchOptions(QApplication::arguments());
    if (!launch.error.isEmpty()) {
        std::fprintf(stderr, "quarnsoft: %s\n\n%s", qPrintable(launch.error),
                     qPrintable(usageText()));
        return kExitUsage;
    }
    return runWindows(launch.options, additions);
}

}  // namespace quarn::gui
