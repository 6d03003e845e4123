// The command line: read before the toolkit starts (help and version only,
// the toolkit's own options still in it), read again after the toolkit took
// its options out, and the whole executable run as a user runs it.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <map>

#include "gui/LaunchOptions.h"

namespace quarn::gui {
namespace {

QStringList commandLine(std::initializer_list<const char*> options) {
    QStringList arguments{QStringLiteral("quarnsoft")};
    for (const char* option : options) {
        arguments << QString::fromLatin1(option);
    }
    return arguments;
}

TEST(LaunchOptions, HelpAndVersionAreFoundAmongTheToolkitsOptions) {
    EXPECT_EQ(earlyAnswer(commandLine({})), EarlyAnswer::None);
    EXPECT_EQ(earlyAnswer(commandLine({"-platform", "offscreen", "--help"})), EarlyAnswer::Help);
    EXPECT_EQ(earlyAnswer(commandLine({"-h"})), EarlyAnswer::Help);
    EXPECT_EQ(earlyAnswer(commandLine({"--help-all"})), EarlyAnswer::HelpAll);
    EXPECT_EQ(earlyAnswer(commandLine({"-reverse", "-v"})), EarlyAnswer::Version);
    EXPECT_EQ(earlyAnswer(commandLine({"--simulate", "--version"})), EarlyAnswer::Version);
    // The toolkit's one-dash words are no bundles of letters: -reverse holds
    // a v, -stylesheet an h, and neither asks for anything.
    EXPECT_EQ(earlyAnswer(commandLine({"-reverse", "-stylesheet", "x.qss"})), EarlyAnswer::None);
    // Unknown options wait for the second reading.
    EXPECT_EQ(earlyAnswer(commandLine({"--nope", "--simulate"})), EarlyAnswer::None);
}

TEST(LaunchOptions, AfterTheToolkitEverythingLeftMustBeOurs) {
    const ParsedLaunch plain = parseLaunchOptions(commandLine({}));
    EXPECT_TRUE(plain.error.isEmpty());
    EXPECT_FALSE(plain.options.simulate() || plain.options.monitor);
    EXPECT_EQ(plain.options.driver, backend::DriverChoice::Auto);

    const ParsedLaunch demo = parseLaunchOptions(commandLine({"--monitor", "--simulate"}));
    EXPECT_TRUE(demo.error.isEmpty()) << demo.error.toStdString();
    EXPECT_TRUE(demo.options.simulate());
    EXPECT_TRUE(demo.options.monitor);

    // --simulate is the short form of --driver simulate; the two may agree, not differ.
    EXPECT_TRUE(parseLaunchOptions(commandLine({"--driver", "simulate"})).options.simulate());
    EXPECT_TRUE(
        parseLaunchOptions(commandLine({"--simulate", "--driver=simulate"})).error.isEmpty());
    EXPECT_FALSE(
        parseLaunchOptions(commandLine({"--simulate", "--driver", "d2xx"})).error.isEmpty());
    EXPECT_EQ(parseLaunchOptions(commandLine({"--driver", "libftdi"})).options.driver,
              backend::DriverChoice::LibFtdi);
    EXPECT_TRUE(parseLaunchOptions(commandLine({"--driver", "serial"})).error.contains("serial"));
    EXPECT_FALSE(parseLaunchOptions(commandLine({"--driver"})).error.isEmpty());

    const ParsedLaunch support =
        parseLaunchOptions(commandLine({"--record", "a.cap", "--replay", "b.cap"}));
    EXPECT_EQ(support.options.recordPath, QStringLiteral("a.cap"));
    EXPECT_EQ(support.options.replayPath, QStringLiteral("b.cap"));
    EXPECT_FALSE(
        parseLaunchOptions(commandLine({"--replay", "b.cap", "--simulate"})).error.isEmpty())
        << "a replay takes its adapter from the capture";
    EXPECT_EQ(earlyAnswer(commandLine({"-platform", "offscreen", "--diagnose"})),
              EarlyAnswer::Diagnose);

    EXPECT_TRUE(parseLaunchOptions(commandLine({"--simulate", "--nope"})).error.contains("nope"));
    EXPECT_TRUE(parseLaunchOptions(commandLine({"stray"})).error.contains("stray"));
    EXPECT_FALSE(parseLaunchOptions(commandLine({"--simulate=yes"})).error.isEmpty());

    const QString usage = usageText();
    for (const char* listed : {"--simulate", "--driver", "--monitor", "--diagnose", "--record",
                               "--replay", "--help", "--version"}) {
        EXPECT_TRUE(usage.contains(QString::fromLatin1(listed))) << listed;
    }
    EXPECT_FALSE(usage.contains("bench")) << "measuring aids belong to the benchmark";
}

TEST(LaunchOptions, MissingDisplayIsReportedOnlyWhenNothingCanBeOpened) {
    std::map<std::string, std::string> env;
    auto lookup = [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
#ifdef __linux__
    const auto message = missingDisplayMessage(lookup, commandLine({"--simulate"}));
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message,
              "quarnsoft: no display available (DISPLAY is not set); use xvfb-run or set "
              "QT_QPA_PLATFORM=offscreen");
    env["DISPLAY"] = "";
    EXPECT_TRUE(missingDisplayMessage(lookup, commandLine({})).has_value())
        << "an empty DISPLAY opens nothing";
    EXPECT_TRUE(missingDisplayMessage(lookup, commandLine({"-platform"})).has_value())
        << "a platform option without its value chooses nothing";
#endif
    EXPECT_FALSE(missingDisplayMessage(lookup, commandLine({"-platform", "offscreen"})));
    EXPECT_FALSE(missingDisplayMessage(lookup, commandLine({"--platform", "minimal"})));
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.clear();
        env[name] = "x";
        EXPECT_FALSE(missingDisplayMessage(lookup, commandLine({})).has_value()) << name;
    }
}

// quarnsoft itself, on a machine without any display.
class Executable : public ::testing::Test {
  protected:
    struct Outcome {
        int exitCode = -1;
        QString out;
        QString err;
    };

    Outcome run(std::initializer_list<const char*> options) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUARNSOFT_EXECUTABLE), commandLine(options).mid(1));
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromLocal8Bit(process.readAllStandardOutput()),
                QString::fromLocal8Bit(process.readAllStandardError())};
    }
};

TEST_F(Executable, HelpAndVersionNeedNoDisplay) {
    const Outcome version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.toStdString(), "QuarnSoft 1.0.0\n");

    const Outcome help = run({"-reverse", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: ")) << help.out.toStdString();
    EXPECT_TRUE(help.out.contains("--simulate"));
    EXPECT_FALSE(help.out.contains("-platform")) << "the toolkit's options only with --help-all";

    const Outcome helpAll = run({"--help-all"});
    EXPECT_EQ(helpAll.exitCode, 0);
    EXPECT_TRUE(helpAll.out.contains("--monitor"));
    EXPECT_TRUE(helpAll.out.contains("-platform")) << helpAll.out.toStdString();

    const Outcome plain = run({"--simulate"});
    EXPECT_EQ(plain.exitCode, 1);
    EXPECT_TRUE(plain.err.startsWith("quarnsoft: no display available")) << plain.err.toStdString();
}

TEST_F(Executable, ToolkitOptionsAreTakenAndOnlyUnknownOnesRefused) {
    // -platform offscreen stands for a display; the toolkit takes it,
    // -style and -reverse, and what is left is refused by name.
    const Outcome refused =
        run({"-platform", "offscreen", "-style", "fusion", "-reverse", "--simulate", "--nope"});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.err.split('\n').contains("quarnsoft: Unknown option 'nope'."))
        << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains("--simulate")) << "the usage follows";

    // With nothing unknown the program starts and keeps running.
    QProcess process;
    process.start(QStringLiteral(QUARNSOFT_EXECUTABLE),
                  commandLine({"-platform", "offscreen", "-reverse", "--simulate"}).mid(1));
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_FALSE(process.waitForFinished(1500)) << "ended with " << process.exitCode() << ": "
                                                << process.readAllStandardError().toStdString();
    process.kill();
    process.waitForFinished();
}

}  // namespace
}  // namespace quarn::gui
