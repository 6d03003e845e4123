#include "gui/LaunchOptions.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdlib>

namespace quarn::gui {

namespace {

struct OurOptions {
    QCommandLineOption help;
    QCommandLineOption version;
    QCommandLineOption simulate;
    QCommandLineOption driver;
    QCommandLineOption monitor;
    QCommandLineOption diagnose;
    QCommandLineOption record;
    QCommandLineOption replay;
};

// The one description of the command line, for every step that reads it.
OurOptions describeOptions(QCommandLineParser& parser) {
    // Qt's own options are single words after one dash (-platform, -reverse):
    // they must never be read as a bundle of one-letter options.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Service tool for the Zel radar motion sensor on the QuarnProg USB programmer."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Runs on a built-in simulated programmer with a Zel sensor attached "
                       "(the same as --driver simulate)."));
    const QCommandLineOption driver(
        QStringLiteral("driver"),
        QStringLiteral("The USB driver: auto (the vendor's D2XX library when it loads, "
                       "otherwise libftdi1), d2xx, libftdi or simulate."),
        QStringLiteral("name"), QStringLiteral("auto"));
    const QCommandLineOption monitor(
        QStringLiteral("monitor"),
        QStringLiteral("Shows the traffic monitor window at start (also Ctrl+Shift+D)."));
    const QCommandLineOption diagnose(
        QStringLiteral("diagnose"),
        QStringLiteral("Prints what stands between this computer and the programmer (driver "
                       "libraries, USB adapters, permissions) with the fix for each problem, "
                       "and ends without opening a window."));
    const QCommandLineOption record(
        QStringLiteral("record"),
        QStringLiteral("Writes every driver call of the session, with its time and bytes, "
                       "to a capture file for support."),
        QStringLiteral("file"));
    const QCommandLineOption replay(
        QStringLiteral("replay"),
        QStringLiteral("Runs against a capture file instead of a driver: the recorded adapter "
                       "and replies, with each write compared to the recorded one."),
        QStringLiteral("file"));
    parser.addOptions({simulate, driver, monitor, diagnose, record, replay});
    return {help, version, simulate, driver, monitor, diagnose, record, replay};
}

}  // namespace

void describeProgram() {
    QCoreApplication::setApplicationName(QStringLiteral("QuarnSoft"));
    QCoreApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(QUARN_VERSION_MAJOR)
                                                .arg(QUARN_VERSION_MINOR)
                                                .arg(QUARN_VERSION_PATCH));
}

EarlyAnswer earlyAnswer(const QStringList& arguments) {
    QCommandLineParser parser;
    const OurOptions options = describeOptions(parser);
    // The toolkit's options are still there and unknown here: the parse
    // reports them, and the answer ignores them.
    static_cast<void>(parser.parse(arguments));
    if (parser.isSet(options.help)) {
        return EarlyAnswer::Help;
    }
    if (parser.isSet(QStringLiteral("help-all"))) {
        return EarlyAnswer::HelpAll;
    }
    if (parser.isSet(options.version)) {
        return EarlyAnswer::Version;
    }
    if (parser.isSet(options.diagnose)) {
        return EarlyAnswer::Diagnose;
    }
    return EarlyAnswer::None;
}

void giveEarlyAnswer(EarlyAnswer answer, int& argc, char** argv) {
    // Qt prints the help and version through the application object, made
    // here from the program's name alone so that no toolkit option applies.
    int nameOnlyCount = argc > 0 ? 1 : 0;
    char* nameOnly[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    QCommandLineParser parser;
    const OurOptions options = describeOptions(parser);
    if (answer == EarlyAnswer::HelpAll) {
        // The toolkit lists its own options only from a GUI application,
        // which needs a platform; the offscreen one needs no display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication application(nameOnlyCount, nameOnly);
        parser.process(
            QStringList{QCoreApplication::applicationFilePath(), QStringLiteral("--help-all")});
    } else {
        QCoreApplication application(nameOnlyCount, nameOnly);
        if (answer == EarlyAnswer::Version) {
            parser.showVersion();
        }
        parser.showHelp(EXIT_SUCCESS);
    }
    std::exit(EXIT_SUCCESS);  // not reached: Qt ends the process itself
}

ParsedLaunch parseLaunchOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const OurOptions options = describeOptions(parser);
    ParsedLaunch result;
    if (!parser.parse(arguments)) {
        result.error = parser.errorText();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error =
            QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first());
        return result;
    }
    result.options.monitor = parser.isSet(options.monitor);
    result.options.recordPath = parser.value(options.record);
    result.options.replayPath = parser.value(options.replay);
    const QString driverName = parser.value(options.driver);
    const auto choice = backend::parseDriverChoice(driverName.toStdString());
    if (!choice) {
        result.error = QStringLiteral("Unknown driver '%1': use auto, d2xx, libftdi or simulate.")
                           .arg(driverName);
        return result;
    }
    result.options.driver = *choice;
    if (parser.isSet(options.simulate)) {
        if (parser.isSet(options.driver) && *choice != backend::DriverChoice::Simulate) {
            result.error =
                QStringLiteral("--simulate and --driver %1 cannot go together.").arg(driverName);
            return result;
        }
        result.options.driver = backend::DriverChoice::Simulate;
    }
    if (!result.options.replayPath.isEmpty() &&
        (parser.isSet(options.driver) || parser.isSet(options.simulate))) {
        result.error =
            QStringLiteral("--replay takes the adapter from the capture; leave out --driver.");
        return result;
    }
    return result;
}

QString usageText() {
    QCommandLineParser parser;
    describeOptions(parser);
    return parser.helpText();
}

std::optional<std::string> missingDisplayMessage(
    const std::function<const char*(const char*)>& environment, const QStringList& arguments) {
#ifdef __linux__
    auto isSet = [&](const char* name) {
        const char* value = environment(name);
        return value != nullptr && value[0] != '\0';
    };
    // Qt reads its options with one dash or two.
    bool platformChosen = false;
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        platformChosen = platformChosen || argument == QStringLiteral("-platform") ||
                         argument == QStringLiteral("--platform");
    }
    if (!platformChosen && !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY") &&
        !isSet("QT_QPA_PLATFORM")) {
        return std::string(
            "quarnsoft: no display available (DISPLAY is not set); use xvfb-run or set "
            "QT_QPA_PLATFORM=offscreen");
    }
#else
    (void)environment;
    (void)arguments;
#endif
    return std::nullopt;
}

}  // namespace quarn::gui
