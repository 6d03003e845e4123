// Parameter backup and restore through their window models, in the whole
// application on the simulator: what reaches the wire when a file is
// applied, and what the restore window says about it.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/Commands.h"
#include "scenario/sensor/SensorSession.h"
#include "support/ParameterFileText.h"
#include "workbench/ParameterBackup.h"
#include "workbench/ParameterRestoreWindow.h"
#include "workbench/ReportedParameters.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {
namespace {

using sensor::Parameter;
using texts::StringId;
using workflow::ApplyOutcome;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint8_t kSetParameters = static_cast<std::uint8_t>(link::Command::SetParameters);
// The simulated sensor's stored values in wire encoding: sensitivity 5,
// relay 1.0 s, normal, 50 Hz, high traffic off, height 2.90 m.
const Bytes kSensorValues{5, 2, 1, 1, 0, 1};

sim::DeviceConfig quietSensor() {
    sim::DeviceConfig config;
    config.randomMotion = false;
    return config;
}

template <typename Frames>
std::vector<sim::ReceivedFrame> writesOf(const Frames& frames) {
    std::vector<sim::ReceivedFrame> writes;
    for (const sim::ReceivedFrame& frame : frames) {
        if (frame.command == kSetParameters) {
            writes.push_back(frame);
        }
    }
    return writes;
}

Bytes storedValues(const sim::ZelParameters& p) {
    return {p.sensitivity, p.relayOnTime, p.reactionSpeed, p.mainsFilter, p.highTraffic, p.height};
}

class ParameterRestoreScenario : public ::testing::Test {
  protected:
    // The sensor window open with the sensor's first reply taken.
    sim::Adapter& openReported(const sim::DeviceConfig& config) {
        sim::Adapter& adapter = session.plug(config);
        session.start();
        EXPECT_TRUE(session.openWindow());
        EXPECT_TRUE(
            session.runUntil([this] { return reported.state() == ReportState::Reported; }, 5000));
        session.clock.advance(1000);
        return adapter;
    }

    std::string writeFile(const std::string& name, const std::string& text) {
        const std::filesystem::path path = dir.path / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    // Loads the file into the restore window, presses Apply and waits for
    // the outcome.
    ApplyOutcome applyFile(const std::string& path) {
        const auto problem = restore.open(path);
        EXPECT_FALSE(problem.has_value()) << *problem;
        EXPECT_TRUE(restore.visible());
        EXPECT_TRUE(restore.applyButton.enabled());
        restore.applyButton.click();
        EXPECT_TRUE(restore.applying());
        EXPECT_EQ(restore.outcomeLine.caption(), text(StringId::RestoreApplying));
        session.runUntil([this] { return !restore.applying(); }, 20000);
        return restore.apply().outcome();
    }

    const std::string& text(StringId id) { return texts::textOf(session.app.state().texts, id); }
    const std::string& stateOf(Parameter parameter) {
        return restore.row(parameter).state.caption();
    }

    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
    ReportedParameters reported{session.window};
    ParameterBackup backup{reported, session.app.state(), session.host};
    ParameterRestoreWindow restore{session.window, session.app.state(), reported, session.clock,
                                   session.host};
};

TEST_F(ParameterRestoreScenario, PromptSensorTakesOneWriteAndIsVerified) {
    sim::Adapter& adapter = openReported(quietSensor());
    const std::string path =
        writeFile("other.json",
                  testing::parameterFileText("A123456789", "0x0200", testing::kFiveOtherValues));

    const std::size_t framesBefore = adapter.receivedFrames().size();
    ASSERT_FALSE(restore.open(path).has_value());
    EXPECT_FALSE(restore.serialLine.visible());
    EXPECT_EQ(restore.fileLine.caption(),
              withValues(text(StringId::RestoreFileLine), {"other.json"}));
    EXPECT_EQ(stateOf(Parameter::Sensitivity), text(StringId::RestoreDiffers));
    EXPECT_EQ(restore.row(Parameter::Sensitivity).sensorValue.caption(), "5");
    EXPECT_EQ(restore.row(Parameter::Sensitivity).fileValue.caption(), "8");
    // A file without a height leaves the sensor's height alone.
    EXPECT_EQ(stateOf(Parameter::InstallationHeight), text(StringId::RestoreNotInFile));
    EXPECT_EQ(restore.row(Parameter::InstallationHeight).sensorValue.caption(), "2.90 m");

    restore.applyButton.click();
    session.runUntil([this] { return !restore.applying(); }, 20000);
    EXPECT_EQ(restore.apply().outcome(), ApplyOutcome::Verified);
    EXPECT_EQ(restore.outcomeLine.caption(), text(StringId::RestoreVerified));

    const auto writes = writesOf(testing::SensorSession::framesSince(adapter, framesBefore));
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (Bytes{8, 6, 2, 2, 1, 1}));
    EXPECT_EQ(storedValues(adapter.zelSensor()->parameters()), (Bytes{8, 6, 2, 2, 1, 1}));
    // The sensor's column now shows the values read back: nothing is left to apply.
    EXPECT_EQ(stateOf(Parameter::Sensitivity), "");
    EXPECT_EQ(restore.row(Parameter::Sensitivity).sensorValue.caption(), "8");
    EXPECT_FALSE(restore.applyButton.enabled());

    restore.closeButton.click();
    EXPECT_FALSE(restore.loaded());
    session.clock.advance(3000);
    EXPECT_EQ(writesOf(testing::SensorSession::framesSince(adapter, framesBefore)).size(), 1U);
}

TEST_F(ParameterRestoreScenario, SensorThatClampsIsNamedAndAHeightItLacksIsLeftOut) {
    session.host.separator = ",";
    sim::DeviceConfig config = quietSensor();
    config.firmware = 0x01FF;  // no installation height
    // Whatever is written, the sensor reports sensitivity 7 and relay 2.5 s.
    config.forcedReplyValues = std::array<std::uint8_t, 6>{7, 5, 1, 1, 0, 0};
    sim::Adapter& adapter = openReported(config);
    const std::string path = writeFile(
        "lobby.json",
        testing::parameterFileText(
            "B000000001", "0x0200",
            R"("sensitivity": 9, "relay_on_time_s": 2.5, "reaction_speed": "normal",)"
            R"( "mains_filter": "50Hz", "high_traffic": false, "installation_height_m": 2.30)"));

    ASSERT_FALSE(restore.open(path).has_value());
    EXPECT_TRUE(restore.serialLine.visible());
    EXPECT_EQ(restore.serialLine.caption(),
              withValues(text(StringId::RestoreSerialDiffers), {"B000000001", "A123456789"}));
    EXPECT_EQ(restore.row(Parameter::RelayOnTime).sensorValue.caption(), "2,5");
    EXPECT_EQ(stateOf(Parameter::RelayOnTime), "");
    EXPECT_EQ(stateOf(Parameter::InstallationHeight), text(StringId::RestoreNotApplicable));
    EXPECT_EQ(restore.row(Parameter::InstallationHeight).fileValue.caption(), "2.30 m");

    const std::size_t framesBefore = adapter.receivedFrames().size();
    restore.applyButton.click();
    session.runUntil([this] { return !restore.applying(); }, 20000);
    ASSERT_EQ(restore.apply().outcome(), ApplyOutcome::Differences);
    const auto writes = writesOf(testing::SensorSession::framesSince(adapter, framesBefore));
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (Bytes{9, 5, 1, 1, 0}));  // five values: no height
    const std::string named = withValues(text(StringId::RestoreDifference),
                                         {text(StringId::SensitivityCaption), "9", "7"});
    EXPECT_EQ(restore.outcomeLine.caption(),
              withValues(text(StringId::RestoreReportedOtherwise), {named}));
    EXPECT_EQ(stateOf(Parameter::Sensitivity), text(StringId::RestoreDiffers));
}

TEST_F(ParameterRestoreScenario, SensorLostDuringTheApplyIsReportedAndWritingStops) {
    sim::DeviceConfig deaf = quietSensor();
    deaf.acknowledgesWrites = false;
    sim::Adapter& adapter = openReported(deaf);
    const std::string path =
        writeFile("other.json",
                  testing::parameterFileText("A123456789", "0x0200", testing::kFiveOtherValues));

    ASSERT_FALSE(restore.open(path).has_value());
    restore.applyButton.click();
    session.clock.advance(1500);  // the write is being repeated
    EXPECT_TRUE(restore.applying());
    EXPECT_GT(writesOf(adapter.receivedFrames()).size(), 3U);
    adapter.detachDevice();
    session.runUntil([this] { return !restore.applying(); }, 20000);

    EXPECT_EQ(restore.apply().outcome(), ApplyOutcome::SensorLost);
    EXPECT_EQ(restore.outcomeLine.caption(), text(StringId::RestoreSensorLost));
    EXPECT_FALSE(restore.applyButton.enabled());
    const std::size_t writesAtOutcome = writesOf(adapter.receivedFrames()).size();
    // The sensor window closes for the missing sensor: the comparison is stale.
    ASSERT_TRUE(session.runUntil([this] { return !session.window.visible(); }, 5000));
    EXPECT_TRUE(restore.outdated());
    EXPECT_EQ(restore.outcomeLine.caption(),
              text(StringId::RestoreSensorLost) + "\n" + text(StringId::RestoreComparisonStale));
    EXPECT_FALSE(restore.applyButton.enabled());
    session.clock.advance(5000);
    EXPECT_EQ(writesOf(adapter.receivedFrames()).size(), writesAtOutcome);
}

TEST_F(ParameterRestoreScenario, SensorSwappedDuringTheApplyGetsNoneOfTheFirstSensorsValues) {
    sim::DeviceConfig first = quietSensor();
    first.acknowledgesWrites = false;
    sim::Adapter& adapter = openReported(first);
    const std::string path =
        writeFile("other.json",
                  testing::parameterFileText("A123456789", "0x0200", testing::kFiveOtherValues));

    ASSERT_FALSE(restore.open(path).has_value());
    restore.applyButton.click();
    session.clock.advance(1500);
    sim::DeviceConfig second = quietSensor();
    second.serial = "B999999999";
    second.parameters = {2, 9, 0, 0, 0, 2};
    adapter.attachDevice(second);
    // From the moment the second sensor's identity is known, nothing the
    // first one reported may be written to it.
    ASSERT_TRUE(session.runUntil(
        [this] { return session.app.state().identity.serial == "B999999999"; }, 2000));
    const std::int64_t knownAtMs = session.clock.nowMs();
    session.runUntil([this] { return !restore.applying(); }, 20000);

    EXPECT_EQ(restore.apply().outcome(), ApplyOutcome::SensorSwapped);
    EXPECT_TRUE(restore.outdated());
    EXPECT_EQ(restore.outcomeLine.caption(),
              withValues(text(StringId::RestoreSensorSwapped), {"B999999999", "A123456789"}) +
                  "\n" + text(StringId::RestoreComparisonStale));
    EXPECT_FALSE(restore.applyButton.enabled());
    session.clock.advance(5000);
    for (const sim::ReceivedFrame& write : writesOf(adapter.receivedFrames())) {
        if (write.timeMs >= knownAtMs) {
            ADD_FAILURE() << "a write at " << write.timeMs << " ms after the swap";
        }
    }
    EXPECT_NE(storedValues(adapter.zelSensor()->parameters()), kSensorValues);
}

TEST_F(ParameterRestoreScenario, SaveWaitsForTheSensorsReplyAndTheFileComesBackThroughTheWindow) {
    sim::Adapter& adapter = session.plug(quietSensor());
    session.start();
    const std::string path = (dir.path / "backup.json").string();
    const std::string anyFile = writeFile(
        "any.json", testing::parameterFileText("A123456789", "0x0200", testing::kFiveOtherValues));
    // The window has just opened: its lists hold their load items, and the
    // sensor has not answered yet.
    ASSERT_TRUE(session.openWindow());
    EXPECT_EQ(backup.refusal(), text(StringId::SaveRefusedNoReply));
    const SaveOutcome early = backup.save(path);
    EXPECT_FALSE(early.saved);
    EXPECT_EQ(early.message, text(StringId::SaveRefusedNoReply));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(restore.open(anyFile), text(StringId::RestoreSensorNotRead));

    ASSERT_TRUE(
        session.runUntil([this] { return reported.state() == ReportState::Reported; }, 5000));
    const SaveOutcome saved = backup.save(path);
    ASSERT_TRUE(saved.saved) << saved.message;
    EXPECT_EQ(saved.message, withValues(text(StringId::ParametersSavedTo), {"A123456789", path}));
    std::stringstream json;
    json << std::ifstream(path).rdbuf();
    EXPECT_NE(json.str().find(R"("sensitivity": 5,)"), std::string::npos) << json.str();
    EXPECT_NE(json.str().find(R"("installation_height_m": 2.90)"), std::string::npos);

    // A value outside its domain: refused with the field named, nothing opened.
    std::string edited = json.str();
    edited.replace(edited.find(R"("sensitivity": 5)"), 16, R"("sensitivity": 10)");
    const auto refused = restore.open(writeFile("bad.json", edited));
    ASSERT_TRUE(refused.has_value());
    EXPECT_NE(refused->find("bad.json"), std::string::npos) << *refused;
    EXPECT_NE(refused->find("parameters.sensitivity: 10 is outside 1 to 9"), std::string::npos);
    EXPECT_FALSE(restore.loaded());

    edited.replace(edited.find(R"("sensitivity": 10)"), 17, R"("sensitivity": 3)");
    ASSERT_FALSE(restore.open(writeFile("edited.json", edited)).has_value());
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        EXPECT_EQ(stateOf(row.parameter),
                  row.parameter == Parameter::Sensitivity ? text(StringId::RestoreDiffers) : "")
            << row.name;
    }
    EXPECT_TRUE(restore.applyButton.enabled());

    // The sensor window closing (the sensor unplugged) makes the comparison
    // stale; once it opens again nothing is saved before the sensor's reply.
    adapter.detachDevice();
    ASSERT_TRUE(session.runUntil([this] { return !session.window.visible(); }, 5000));
    EXPECT_TRUE(restore.outdated());
    EXPECT_FALSE(restore.applyButton.enabled());
    adapter.reattachDevice();
    ASSERT_TRUE(session.openWindow());
    EXPECT_EQ(backup.refusal(), text(StringId::SaveRefusedNoReply));
}

}  // namespace
}  // namespace quarn::workbench
