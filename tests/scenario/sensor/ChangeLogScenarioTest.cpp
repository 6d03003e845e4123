// The change log beside the sensor window, on the simulator: what one
// change by a list leaves in it, a value the sensor does not keep, a reply
// value outside a list, and the service report's content built from it.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "scenario/sensor/SensorSession.h"
#include "workbench/ChangeLog.h"
#include "workbench/ChangeLogLines.h"
#include "workbench/ChangeLogWindow.h"
#include "workbench/ServiceReportContent.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {
namespace {

using sensor::Parameter;
using texts::StringId;

constexpr std::uint8_t kParameterWrite = 4;
constexpr std::uint8_t kParameterRead = 2;
constexpr std::uint8_t kIdentityRequest = 0;
// The simulated sensor's identity reply: type, serial, hardware, firmware.
const std::vector<std::uint8_t> kIdentityReply = {0x01, 0x01, 'A', '1', '2',  '3',  '4',  '5',
                                                  '6',  '7',  '8', '9', 0x01, 0x02, 0x02, 0};

sim::DeviceConfig Sensor(std::uint16_t firmware = 0x0200) {
    sim::DeviceConfig config;
    config.firmware = firmware;
    config.parameters = {5, 1, 1, 0, 0, 0};  // the window's load selections
    config.randomMotion = false;
    return config;
}

class ChangeLogScenario : public ::testing::Test {
  protected:
    ChangeLogScenario() { session.host.separator = ","; }

    sim::Adapter& openSettled(const sim::DeviceConfig& config = Sensor()) {
        sim::Adapter& adapter = session.plug(config);
        session.start();
        EXPECT_TRUE(session.openWindow());
        session.clock.advance(1000);
        return adapter;
    }
    static void choose(ComboList& list, std::int16_t index) {
        list.dropDown();
        list.userSelect(index);
    }
    const std::string& text(StringId id) { return texts::textOf(session.app.state().texts, id); }
    TextContext context() { return {session.app.state().texts, session.host.decimalSeparator()}; }
    std::string caption(Parameter parameter) { return text(sensor::rowOf(parameter).caption); }
    const ParameterChange& changeAt(std::size_t entry) {
        return std::get<ParameterChange>(log.entries().at(entry));
    }
    std::size_t writesOnWire(const sim::Adapter& adapter) {
        std::size_t writes = 0;
        for (const sim::ReceivedFrame& frame : adapter.receivedFrames()) {
            writes += frame.command == kParameterWrite ? 1 : 0;
        }
        return writes;
    }

    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
    ChangeLog log{session.window, session.app.state(), session.host};
    ChangeLogWindow logWindow{log, session.app.state(), session.host};
};

TEST_F(ChangeLogScenario, AChangeRepeatedUntilAcknowledgedIsOneVerifiedEntryShownLive) {
    EXPECT_FALSE(canWriteServiceReport(log));
    sim::Adapter& adapter = openSettled();
    ASSERT_TRUE(log.firstRead().has_value());
    EXPECT_EQ(*log.firstRead(), (ParameterIndices{4, 0, 1, 0, 0, 0}));
    logWindow.show();
    EXPECT_EQ(logWindow.logLines.text(), text(StringId::ChangeLogEmpty));
    EXPECT_EQ(logWindow.closeButton.caption(), text(StringId::CloseButton));

    // Nothing the sensor says arrives but its identity, which stays
    // current: the write repeats on every tick.
    const auto before = std::chrono::system_clock::now();
    adapter.setDropReplyRate(1.0);
    choose(session.window.parameterList(Parameter::Sensitivity), 6);
    std::size_t identityRequests = adapter.framesReceived(kIdentityRequest);
    for (int step = 0; step < 60; ++step) {
        session.clock.advance(10);
        if (adapter.framesReceived(kIdentityRequest) != identityRequests) {
            identityRequests = adapter.framesReceived(kIdentityRequest);
            adapter.injectNoise(sim::encodeFrame(1, kIdentityReply));
        }
    }
    EXPECT_GE(writesOnWire(adapter), 3U);
    ASSERT_EQ(log.entries().size(), 1U);
    EXPECT_FALSE(changeAt(0).acknowledged);
    EXPECT_NE(logWindow.logLines.text().find(text(StringId::ChangeNotAcknowledged)),
              std::string::npos);

    adapter.setDropReplyRate(0.0);
    session.clock.advance(1500);
    const auto after = std::chrono::system_clock::now();
    ASSERT_EQ(log.entries().size(), 1U);
    const ParameterChange& change = changeAt(0);
    EXPECT_EQ(change.parameter, Parameter::Sensitivity);
    EXPECT_EQ(change.oldIndex, 4);
    EXPECT_EQ(change.newIndex, 6);
    EXPECT_TRUE(change.acknowledged);
    EXPECT_EQ(change.readBack, ReadBack::Verified);
    EXPECT_TRUE(change.time >= before && change.time <= after);
    EXPECT_EQ(*log.firstRead(), (ParameterIndices{4, 0, 1, 0, 0, 0}));
    EXPECT_EQ(*log.latestRead(), (ParameterIndices{6, 0, 1, 0, 0, 0}));

    const std::string line = timeOfDayText(change.time) + "  " + caption(Parameter::Sensitivity) +
                             ": 5 \u2192 7, " + text(StringId::ChangeAcknowledged) + ", " +
                             text(StringId::ReadBackVerified);
    EXPECT_EQ(changeLogLine(log.entries()[0], context()), line);
    EXPECT_EQ(logWindow.logLines.text(), line);  // the open window followed

    // Records outlive the sensor window: the sensor goes, the window closes,
    // the sensor comes back and the window opens again.
    adapter.detachDevice();
    ASSERT_TRUE(session.runUntil([this] { return !session.window.visible(); }, 10000));
    adapter.reattachDevice();
    ASSERT_TRUE(session.openWindow());
    session.clock.advance(1000);
    EXPECT_EQ(log.entries().size(), 1U);
    EXPECT_EQ(*log.firstRead(), (ParameterIndices{4, 0, 1, 0, 0, 0}));

    // The report's content: the visit, the sensor, first read against now.
    const std::optional<ServiceReportContent> report =
        assembleServiceReport({"Mario Rossi", "Door 3", "Cleaned the lens.\r\nRetuned."},
                              {log, context(), {2, 4, 1}, change.time});
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->title, text(StringId::ServiceReportTitle));
    ASSERT_EQ(report->service.size(), 4U);
    EXPECT_EQ(report->service[0].value, dateTimeText(change.time));
    EXPECT_EQ(report->service[1].value, "2.4.1");
    EXPECT_EQ(report->service[2].value, "Mario Rossi");
    EXPECT_EQ(report->noteLines, (std::vector<std::string>{"Cleaned the lens.", "Retuned."}));
    ASSERT_EQ(report->sensor.size(), 3U);
    EXPECT_EQ(report->sensor[0].value, "A123456789");
    EXPECT_EQ(report->sensor[1].value, "102");
    EXPECT_EQ(report->sensor[2].value, "200");
    ASSERT_EQ(report->parameters.size(), sensor::kParameterCount);
    EXPECT_EQ(report->parameters[0].firstRead, "5");
    EXPECT_EQ(report->parameters[0].now, "7");
    EXPECT_TRUE(report->parameters[0].changed);
    EXPECT_EQ(report->parameters[1].now, "0,5");
    EXPECT_FALSE(report->parameters[1].changed);
    EXPECT_EQ(report->changeLogLines, std::vector<std::string>{line});
}

TEST_F(ChangeLogScenario, AValueTheSensorDoesNotKeepIsLoggedAsReadBackOtherwise) {
    sim::Adapter& adapter = openSettled();
    // The sensor goes on reporting its own values, whatever is written.
    adapter.zelSensor()->setForcedReplyValues(std::array<std::uint8_t, 6>{5, 1, 1, 0, 0, 0});
    choose(session.window.parameterList(Parameter::RelayOnTime), 2);
    session.clock.advance(1500);

    ASSERT_EQ(log.entries().size(), 1U);
    const ParameterChange& change = changeAt(0);
    EXPECT_TRUE(change.acknowledged);
    EXPECT_EQ(change.readBack, ReadBack::Differs);
    EXPECT_EQ(change.reportedIndex, 0);
    const std::string line = changeLogLine(log.entries()[0], context());
    EXPECT_NE(line.find(caption(Parameter::RelayOnTime) + ": 0,5 \u2192 1,5, "), std::string::npos)
        << line;
    EXPECT_NE(line.find(withValues(text(StringId::ReadBackDiffers), {"0,5"})), std::string::npos)
        << line;
    // The lists show the sensor's value again: nothing more is written.
    EXPECT_EQ(writesOnWire(adapter), 1U);
}

// Runs one session against a sensor that insists on an out-of-range relay
// time, with or without a change log, and gives what the sensor received.
std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> insistingSensorTraffic(
    bool withLog, const std::function<void(testing::SensorSession&, ChangeLog&)>& check) {
    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
    std::optional<ChangeLog> log;
    if (withLog) {
        log.emplace(session.window, session.app.state(), session.host);
    }
    sim::DeviceConfig config = Sensor();
    config.forcedReplyValues = std::array<std::uint8_t, 6>{5, 12, 1, 0, 0, 0};
    sim::Adapter& adapter = session.plug(config);
    session.start();
    EXPECT_TRUE(session.openWindow());
    session.clock.advance(3000);
    EXPECT_GE(adapter.framesReceived(kParameterRead), 20U) << "the read repeats";
    if (log) {
        check(session, *log);
    }
    std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> traffic;
    for (const sim::ReceivedFrame& frame : adapter.receivedFrames()) {
        traffic.emplace_back(frame.command, frame.payload);
    }
    // The sensor gives in: the list takes its value and the complaint goes.
    adapter.zelSensor()->setForcedReplyValues(std::nullopt);
    session.clock.advance(500);
    if (log) {
        EXPECT_EQ(session.window.parameterList(Parameter::RelayOnTime).toolTip(), "");
        EXPECT_EQ(log->entries().size(), 1U);
        EXPECT_TRUE(log->firstRead().has_value());
    }
    return traffic;
}

TEST(ChangeLogRefusedValue, IsLoggedOnceWithATooltipAndTheWireIsAsWithoutTheLog) {
    const auto logged = insistingSensorTraffic(true, [](testing::SensorSession& session,
                                                        ChangeLog& log) {
        ASSERT_EQ(log.entries().size(), 1U);
        const auto& refused = std::get<RefusedReplyValue>(log.entries()[0]);
        EXPECT_EQ(refused.parameter, Parameter::RelayOnTime);
        EXPECT_EQ(refused.wireValue, 12);
        EXPECT_FALSE(log.firstRead().has_value());
        EXPECT_FALSE(canWriteServiceReport(log));
        const texts::StringTableEntries& strings = session.app.state().texts;
        EXPECT_EQ(session.window.parameterList(Parameter::RelayOnTime).toolTip(),
                  refusedValueToolTip(12, strings));
        EXPECT_NE(refusedValueToolTip(12, strings).find("12"), std::string::npos);
        const std::string line = changeLogLine(log.entries()[0], {strings, ","});
        EXPECT_NE(
            line.find(texts::textOf(strings, sensor::rowOf(Parameter::RelayOnTime).caption) + ": " +
                      withValues(texts::textOf(strings, StringId::RefusedValueLine), {"12"})),
            std::string::npos)
            << line;
        EXPECT_EQ(session.window.parameterList(Parameter::Sensitivity).toolTip(), "");
    });
    const auto unlogged = insistingSensorTraffic(false, {});
    EXPECT_EQ(logged, unlogged);
}

TEST_F(ChangeLogScenario, AParameterTheFirmwareLacksIsReportedAsNotPresent) {
    openSettled(Sensor(0x01FF));
    const std::optional<ServiceReportContent> report =
        assembleServiceReport({}, {log, context(), {1, 0, 0}, std::chrono::system_clock::now()});
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->parameters.back().now, text(StringId::NotCarried));
    EXPECT_EQ(report->parameters.back().firstRead, text(StringId::NotCarried));
    EXPECT_EQ(report->sensor[2].value, "1FF");
    EXPECT_TRUE(report->noteLines.empty());
    EXPECT_EQ(report->changeLogLines, std::vector<std::string>{text(StringId::ChangeLogEmpty)});
}

}  // namespace
}  // namespace quarn::workbench
