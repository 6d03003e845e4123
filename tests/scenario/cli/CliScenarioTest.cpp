// quarnsoft-cli run in-process on the simulated bus, on a virtual clock that
// never waits: each command and each exit status, with the frames the
// programmer received.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "cli/SetArguments.h"
#include "cli/Utf8Path.h"
#include "link/Commands.h"
#include "paramfile/ParameterFile.h"
#include "platform/RealTimeRunner.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "sim/ZelSensor.h"
#include "support/DriverUnderTest.h"
#include "support/ParameterFileText.h"
#include "support/TempDir.h"

namespace quarn::cli {
namespace {

// Real time that passes only when slept: the runner never waits. When
// stopAtMs is set the stop flag goes up at that time, as Ctrl+C would.
class InstantTime final : public RealTime {
  public:
    std::int64_t nowMs() override { return nowMs_; }
    void sleepUntilMs(std::int64_t timeMs) override {
        nowMs_ = std::max(nowMs_, timeMs);
        if (stopAtMs && nowMs_ >= *stopAtMs) {
            stop.store(true);
        }
        if (atMs && nowMs_ >= *atMs) {
            atMs.reset();
            action();
        }
    }

    std::optional<std::int64_t> stopAtMs;
    // Runs once, when the time first reaches atMs.
    std::optional<std::int64_t> atMs;
    std::function<void()> action;
    std::atomic<bool> stop{false};

  private:
    std::int64_t nowMs_ = 0;
};

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

constexpr std::uint8_t kSetParameters = static_cast<std::uint8_t>(link::Command::SetParameters);
constexpr std::uint8_t kSetStreaming = static_cast<std::uint8_t>(link::Command::SetStreaming);

class CliScenario : public ::testing::Test {
  protected:
    CliScenario() {
        std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, directory.path() / "StringTable.txt");
    }

    sim::Adapter& plug(const sim::DeviceConfig& config) {
        sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
        adapter.attachDevice(config);
        return adapter;
    }

    CliResult run(std::vector<std::string> words) {
        words.insert(words.begin(), "quarnsoft-cli");
        std::vector<const char*> argv;
        for (const std::string& word : words) {
            argv.push_back(word.c_str());
        }
        std::ostringstream out;
        std::ostringstream err;
        const ProgramContext context{clock,
                                     time,
                                     [this](backend::DriverChoice, std::string&) -> D2xxDriver* {
                                         return &underTest.driver();
                                     },
                                     executableFolder.string(),
                                     [] { return std::chrono::system_clock::time_point{}; },
                                     &time.stop,
                                     out,
                                     err};
        CliResult result;
        result.status = runProgram(static_cast<int>(argv.size()), argv.data(), context);
        result.out = out.str();
        result.err = err.str();
        // Whatever happened, the adapter is closed at the end.
        EXPECT_EQ(bus.openHandleCount(), 0U);
        return result;
    }

    std::filesystem::path writeFile(const std::string& name, const std::string& text) {
        const std::filesystem::path path = directory.path() / name;
        std::ofstream(path) << text;
        return path;
    }

    static std::vector<sim::ReceivedFrame> framesOf(const sim::Adapter& adapter,
                                                    std::uint8_t command) {
        std::vector<sim::ReceivedFrame> frames;
        for (const sim::ReceivedFrame& frame : adapter.receivedFrames()) {
            if (frame.command == command) {
                frames.push_back(frame);
            }
        }
        return frames;
    }

    // The stream was stopped, and nothing was written to the adapter after.
    static void expectStreamStoppedLast(const sim::Adapter& adapter) {
        ASSERT_FALSE(adapter.receivedFrames().empty());
        const sim::ReceivedFrame& last = adapter.receivedFrames().back();
        EXPECT_EQ(last.command, kSetStreaming);
        EXPECT_EQ(last.payload, std::vector<std::uint8_t>{0});
    }

    VirtualClock clock;
    InstantTime time;
    sim::SimulatedBus bus{clock};
    quarn::testing::DriverUnderTest underTest{bus};
    quarn::testing::TempDir directory;
    std::filesystem::path executableFolder = directory.path();
};

TEST_F(CliScenario, IdentifyShowsTheSensorAndStopsTheStreamBeforeClosing) {
    sim::DeviceConfig config;
    config.serial = "Z000000042";
    config.firmware = 0x0203;
    sim::Adapter& adapter = plug(config);

    const CliResult text = run({"--driver", "simulate", "identify"});
    EXPECT_EQ(text.status, kExitDone) << text.err;
    EXPECT_EQ(text.out,
              "programmer: QuarnProg\ntype: 0x0101 (Zel sensor)\nserial: Z000000042\n"
              "hardware: 0x0102\nfirmware: 0x0203\n");
    expectStreamStoppedLast(adapter);
    EXPECT_FALSE(adapter.zelSensor()->streaming());

    const CliResult json = run({"--json", "identify"});
    EXPECT_EQ(json.status, kExitDone);
    EXPECT_EQ(json.out,
              R"({"programmer":"QuarnProg","device":{"type":"0x0101","serial":"Z000000042",)"
              R"("hardware":"0x0102","firmware":"0x0203"}})"
              "\n");
}

TEST_F(CliScenario, InstalledToolFindsItsStringTableInTheDataFolderOrNamesWhereItLooked) {
    // <prefix>/bin/quarnsoft-cli and <prefix>/share/quarnsoft/StringTable.txt.
    const std::filesystem::path data = directory.path() / "share" / "quarnsoft";
    executableFolder = directory.path() / "bin";
    std::filesystem::create_directories(executableFolder);
    std::filesystem::create_directories(data);
    std::filesystem::rename(directory.path() / "StringTable.txt", data / "StringTable.txt");
    plug(sim::DeviceConfig{});
    const CliResult found = run({"identify"});
    EXPECT_EQ(found.status, kExitDone) << found.err;
    EXPECT_NE(found.out.find("type: 0x0101"), std::string::npos);

    std::filesystem::remove(data / "StringTable.txt");
    const CliResult missing = run({"identify"});
    EXPECT_EQ(missing.status, kExitUsage);
    EXPECT_EQ(missing.err,
              "QuarnSoft: Unable to find file \"StringTable.txt\", the application will be "
              "terminated\n\nPlaces looked in:\n" +
                  executableFolder.string() + "\n" + data.string() + "\n");
}

TEST_F(CliScenario, JsonReadIsTheSavedFilesDeviceAndParameters) {
    sim::DeviceConfig config;
    config.parameters = {3, 4, 2, 0, 1, 2};
    plug(config);

    const CliResult read = run({"--json", "read"});
    ASSERT_EQ(read.status, kExitDone) << read.err;
    // A name with accents, given as UTF-8, is the same file on every system.
    const std::filesystem::path path = directory.path() / std::u8string(u8"copia è ü.json");
    const CliResult save = run({"save", utf8Of(path)});
    ASSERT_EQ(save.status, kExitDone) << save.err;
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(directory.path() / std::u8string(u8"copia è ü.json.new")));

    const paramfile::ReadResult saved = paramfile::readParameterFileAt(path);
    ASSERT_TRUE(saved.ok()) << saved.error->message();
    EXPECT_EQ(read.out, paramfile::writeDeviceAndParameters(saved.file).text + "\n");
    EXPECT_NE(
        read.out.find(R"("sensitivity":3,"relay_on_time_s":2.0,"reaction_speed":"fast",)"
                      R"("mains_filter":"off","high_traffic":true,"installation_height_m":3.50)"),
        std::string::npos)
        << read.out;

    const CliResult words = run({"read"});
    EXPECT_EQ(words.out,
              "sensitivity: 3\nrelay_on_time_s: 2.0\nreaction_speed: fast\nmains_filter: off\n"
              "high_traffic: true\ninstallation_height_m: 3.50\n");
}

TEST_F(CliScenario, ProgrammerProblemsExitWithTwo) {
    const CliResult none = run({"read"});
    EXPECT_EQ(none.status, kExitNoProgrammer);
    EXPECT_NE(none.err.find("no programmer"), std::string::npos);
    EXPECT_TRUE(none.out.empty());

    plug(sim::DeviceConfig{});
    sim::Adapter& second = plug(sim::DeviceConfig{});
    const CliResult two = run({"read"});
    EXPECT_EQ(two.status, kExitNoProgrammer);
    EXPECT_NE(two.err.find("two or more programmers"), std::string::npos);
    // Refused before anything was said to either sensor.
    EXPECT_TRUE(framesOf(second, kSetStreaming).empty());
}

TEST_F(CliScenario, NoZelSensorExitsWithThree) {
    sim::DeviceConfig other;
    other.type = 0x0102;
    sim::Adapter& adapter = plug(other);
    const CliResult wrong = run({"read"});
    EXPECT_EQ(wrong.status, kExitNoSensor);
    EXPECT_NE(wrong.err.find("not a Zel sensor (type 0x0102)"), std::string::npos) << wrong.err;

    adapter.detachDevice();
    const CliResult absent = run({"--timeout", "4", "identify"});
    EXPECT_EQ(absent.status, kExitNoSensor);
    EXPECT_NE(absent.err.find("no Zel sensor"), std::string::npos);
}

TEST_F(CliScenario, SensorStillOpeningAtTheTimeOutExitsWithFive) {
    plug(sim::DeviceConfig{});
    // The sensor answers, but the sensor window opens only after its delay.
    const CliResult result = run({"--timeout", "2", "read"});
    EXPECT_EQ(result.status, kExitTimedOut);
    EXPECT_NE(result.err.find("time-out"), std::string::npos);
}

TEST_F(CliScenario, SetWritesOnlyTheNamedParameterAndTheOthersAsRead) {
    sim::DeviceConfig config;
    config.parameters = {3, 4, 2, 0, 1, 2};
    sim::Adapter& adapter = plug(config);

    const CliResult result = run({"set", "sensitivity=7", "reaction_speed=slow"});
    ASSERT_EQ(result.status, kExitDone) << result.err;
    const auto writes = framesOf(adapter, kSetParameters);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (std::vector<std::uint8_t>{7, 4, 0, 0, 1, 2}));
    EXPECT_EQ(adapter.zelSensor()->parameters(), (sim::ZelParameters{7, 4, 0, 0, 1, 2}));
    EXPECT_NE(result.out.find("verified"), std::string::npos);

    // Values the sensor already holds: nothing is written.
    EXPECT_EQ(run({"set", "sensitivity=7"}).status, kExitDone);
    EXPECT_EQ(framesOf(adapter, kSetParameters).size(), 1U);
}

TEST_F(CliScenario, BadArgumentsAndFilesExitWithOneBeforeTheProgrammerIsOpened) {
    sim::Adapter& adapter = plug(sim::DeviceConfig{});
    const struct {
        std::vector<std::string> words;
        std::string message;
    } cases[] = {
        {{"set", "loudness=3"}, "not a parameter"},
        {{"set", "sensitivity"}, "not NAME=VALUE"},
        {{"set", "sensitivity=3", "sensitivity=4"}, "given twice"},
        {{"set", "sensitivity=10"}, "10 is outside 1 to 9"},
        {{"set", "reaction_speed=quick"}, "reaction_speed"},
        // A value never reaches the text as JSON of its own.
        {{"set", R"(sensitivity=5,"mains_filter":"off")"}, "sensitivity"},
        {{"set", "installation_height_m=2.5"}, "installation_height_m"},
        {{"apply", (directory.path() / "missing.json").string()}, "missing.json"},
        {{"apply", writeFile("bad.json", "{\"format\": 3}").string()}, "format"},
        {{"watch", "-1"}, ""},
        {{"frobnicate"}, ""},
    };
    for (const auto& c : cases) {
        const CliResult result = run(c.words);
        EXPECT_EQ(result.status, kExitUsage) << c.words.back();
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    }
    EXPECT_TRUE(adapter.receivedFrames().empty());
}

TEST_F(CliScenario, SensorThatNeverAcknowledgesExitsWithFourAndIsNotWrittenFurther) {
    sim::DeviceConfig config;
    config.acknowledgesWrites = false;
    sim::Adapter& adapter = plug(config);

    const CliResult result = run({"set", "sensitivity=9"});
    EXPECT_EQ(result.status, kExitNotVerified);
    EXPECT_NE(result.err.find("did not acknowledge"), std::string::npos) << result.err;
    // Repeated until the limit, then stopped: the last write is not the last frame.
    const auto writes = framesOf(adapter, kSetParameters);
    EXPECT_GT(writes.size(), 10U);
    EXPECT_LT(writes.back().timeMs, adapter.receivedFrames().back().timeMs);
    expectStreamStoppedLast(adapter);

    // A time-out shorter than the wait for the acknowledgement wins.
    EXPECT_EQ(run({"--timeout", "6", "set", "sensitivity=9"}).status, kExitTimedOut);
}

TEST_F(CliScenario, ApplyStopsWritingWhenTheSensorGoesOrAnotherAnswers) {
    sim::DeviceConfig deaf;
    deaf.acknowledgesWrites = false;
    sim::Adapter& adapter = plug(deaf);
    // Unplugged while its write is being repeated.
    time.atMs = 6000;
    time.action = [&] { adapter.detachDevice(); };
    const CliResult lost = run({"set", "sensitivity=9"});
    EXPECT_EQ(lost.status, kExitNoSensor);
    EXPECT_NE(lost.err.find("stopped answering"), std::string::npos) << lost.err;

    // Replaced at once by another sensor, which acknowledges writes.
    adapter.attachDevice(deaf);
    sim::DeviceConfig other;
    other.serial = "B999999999";
    time.atMs = clock.nowMs() + 6000;
    time.action = [&] { adapter.attachDevice(other); };
    const CliResult swapped = run({"set", "sensitivity=9"});
    EXPECT_EQ(swapped.status, kExitNoSensor);
    EXPECT_NE(swapped.err.find("another sensor"), std::string::npos) << swapped.err;
    EXPECT_TRUE(swapped.out.empty());
}

TEST_F(CliScenario, SensorReportingOtherValuesExitsWithFourNamingThem) {
    sim::DeviceConfig config;
    // Whatever is written, the sensor reports these (sensitivity 5, height 2.90).
    config.forcedReplyValues = std::array<std::uint8_t, 6>{5, 2, 1, 1, 0, 1};
    plug(config);

    const std::filesystem::path path = writeFile(
        "wanted.json", testing::parameterFileText(
                           "A123456789", "0x0200",
                           testing::kFiveOtherValues + R"(, "installation_height_m": 2.90)"));
    const CliResult result = run({"apply", path.string()});
    EXPECT_EQ(result.status, kExitNotVerified);
    EXPECT_NE(result.err.find("sensitivity: written 8, the sensor reports 5"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("high_traffic: written true, the sensor reports false"),
              std::string::npos);
    EXPECT_EQ(result.err.find("installation_height_m:"), std::string::npos);
}

TEST_F(CliScenario, HeightInAFileIsLeftOutForAnOlderSensor) {
    sim::DeviceConfig config;
    config.firmware = 0x01FF;
    sim::Adapter& adapter = plug(config);
    const std::filesystem::path path =
        writeFile("new.json", testing::parameterFileText("B000000001", "0x0200",
                                                         testing::kFiveOtherValues +
                                                             R"(, "installation_height_m": 3.50)"));

    const CliResult result = run({"apply", path.string()});
    ASSERT_EQ(result.status, kExitDone) << result.err;
    EXPECT_NE(result.err.find("installation_height_m is left out"), std::string::npos);
    EXPECT_NE(result.err.find("saved from sensor B000000001"), std::string::npos);
    const auto writes = framesOf(adapter, kSetParameters);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (std::vector<std::uint8_t>{8, 6, 2, 2, 1}));
    EXPECT_EQ(result.out.find("installation_height_m"), std::string::npos);

    const CliResult set = run({"set", "installation_height_m=2.30", "sensitivity=2"});
    EXPECT_EQ(set.status, kExitDone) << set.err;
    EXPECT_NE(set.err.find("installation_height_m is left out"), std::string::npos);
    EXPECT_EQ(framesOf(adapter, kSetParameters).back().payload,
              (std::vector<std::uint8_t>{2, 6, 2, 2, 1}));
}

TEST_F(CliScenario, WatchForOneSecondGivesAboutTwentySamples) {
    plug(sim::DeviceConfig{});
    const CliResult result = run({"watch", "1"});
    ASSERT_EQ(result.status, kExitDone) << result.err;
    std::istringstream lines(result.out);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 3) << line;
        const char alarm = line.back();
        EXPECT_TRUE(alarm == '0' || alarm == '1') << line;
    }
    EXPECT_GE(count, 18);
    EXPECT_LE(count, 21);

    const CliResult json = run({"--json", "watch", "0.2"});
    EXPECT_EQ(json.out.rfind("{\"time\":", 0), 0U) << json.out;
}

TEST_F(CliScenario, CtrlCEndsWatchWithTheStreamStoppedAndTheAdapterClosed) {
    sim::Adapter& adapter = plug(sim::DeviceConfig{});
    time.stopAtMs = 6000;
    const CliResult result = run({"watch"});
    EXPECT_EQ(result.status, kExitDone);
    EXPECT_FALSE(result.out.empty());
    expectStreamStoppedLast(adapter);

    // Before the sensor is found: interrupted, and still closed.
    time.stop.store(true);
    EXPECT_EQ(run({"read"}).status, kExitInterrupted);
}

TEST_F(CliScenario, TwentySensorsProvisionedOneAfterAnother) {
    sim::Adapter& adapter = plug(sim::DeviceConfig{});
    const std::filesystem::path path = writeFile(
        "site.json", testing::parameterFileText(
                         "A123456789", "0x0200",
                         testing::kFiveOtherValues + R"(, "installation_height_m": 2.30)"));
    std::vector<std::string> results;
    for (int i = 0; i < 20; ++i) {
        sim::DeviceConfig config;
        config.serial = "S" + std::to_string(1000000000 + i).substr(1);
        config.seed = static_cast<std::uint32_t>(i + 1);
        adapter.attachDevice(config);
        const CliResult result = run({"--json", "apply", path.string()});
        ASSERT_EQ(result.status, kExitDone) << i << result.err;
        EXPECT_EQ(adapter.zelSensor()->parameters(), (sim::ZelParameters{8, 6, 2, 2, 1, 0}));
        results.push_back(result.out);
    }
    for (int i = 0; i < 20; ++i) {
        const std::string serial = "S" + std::to_string(1000000000 + i).substr(1);
        EXPECT_NE(results[static_cast<std::size_t>(i)].find("\"serial\":\"" + serial + "\""),
                  std::string::npos);
        EXPECT_NE(results[static_cast<std::size_t>(i)].find(R"("installation_height_m":2.30)"),
                  std::string::npos);
    }
}

TEST(SetArguments, EveryValueIsCheckedByTheFileReader) {
    const AssignmentsResult parsed =
        parseAssignments({"relay_on_time_s=2.5", "mains_filter=50Hz", "high_traffic=true",
                          "installation_height_m=2.90"});
    ASSERT_FALSE(parsed.error);
    const paramfile::ReadResult read = assignValues(placeholderRecord(), parsed.assignments);
    ASSERT_TRUE(read.ok()) << read.error->message();
    const auto index = [&](sensor::Parameter p) { return read.file.listIndex[sensor::indexOf(p)]; };
    EXPECT_EQ(index(sensor::Parameter::RelayOnTime), 4);
    EXPECT_EQ(index(sensor::Parameter::MainsFilter), 1);
    EXPECT_EQ(index(sensor::Parameter::HighTraffic), 1);
    EXPECT_EQ(index(sensor::Parameter::InstallationHeight), 1);
    // The others keep the record's values.
    EXPECT_EQ(index(sensor::Parameter::Sensitivity),
              placeholderRecord().listIndex[sensor::indexOf(sensor::Parameter::Sensitivity)]);
}

}  // namespace
}  // namespace quarn::cli
