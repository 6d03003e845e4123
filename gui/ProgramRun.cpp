#include "gui/ProgramRun.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "drivers/backend/MachineDiagnosis.h"
#include "drivers/diagnosis/Diagnosis.h"
#include "drivers/diagnosis/UdevRule.h"
#include "gui/Artwork.h"
#include "gui/DriverStack.h"
#include "gui/LaunchOptions.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/QtDevLog.h"
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

// The rule file shipped beside the executable, or its bare name when the
// program was moved without it.
std::string udevRuleSource() {
    const QString beside =
        QCoreApplication::applicationDirPath() + QStringLiteral("/") + diagnosis::kUdevRuleName;
    return QFileInfo::exists(beside) ? beside.toStdString() : std::string(diagnosis::kUdevRuleName);
}

int runDiagnosis(int argc, char** argv) {
    // No window: a core application knows the executable's folder.
    int nameOnlyCount = argc > 0 ? 1 : 0;
    char* nameOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    const QCoreApplication application(nameOnlyCount, nameOnly);
    qt::QtDevLog log;
    const diagnosis::Diagnosis result =
        diagnosis::diagnose(backend::gatherMachineFacts(udevRuleSource(), log));
    std::fputs(result.report.c_str(), stdout);
    return result.exitStatus;
}

int runWindows(const LaunchOptions& options, const StartupAdditions& additions) {
    // The models decide when the program ends, not the last closed window.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(drawWindowIcon());
    // Desktops that take the icon and name from the menu entry (Wayland)
    // find it by this name: share/applications/quarnsoft.desktop.
    QApplication::setDesktopFileName(QStringLiteral("quarnsoft"));
    qt::installFontSubstitutions();

    qt::QtHost host;
    qt::QtTimerService timers;
    qt::QtDevLog log;
    DriverStack drivers({options, additions.simulatedSensor, udevRuleSource()}, log);
    if (!drivers.fatalProblem().empty()) {
        std::fprintf(stderr, "quarnsoft: %s\n", drivers.fatalProblem().c_str());
        return kExitUsage;
    }
    if (!drivers.problems().empty()) {
        // The programmer status shows the driver failure; say why here.
        std::fprintf(stderr, "quarnsoft: %s", drivers.problems().c_str());
    }

    GuiApplication gui(drivers.driver(), timers, host, &log);
    gui.application().setAdapterAdvisor(drivers.advisor());
    app::TrafficMonitor& monitor = gui.application().trafficMonitor();
    drivers.onReplayDifference(
        [&monitor](const std::string& line) { monitor.replayDiffered(line); });
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
            return runDiagnosis(argc, argv);
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
