// The sensor window inside the whole application: what the sensor receives,
// what the technician sees, and how the window closes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scenario/sensor/SensorSession.h"
#include "sensorwin/AreaDrawing.h"

namespace quarn::sensorwin {
namespace {

using sensor::Parameter;

using Bytes = std::vector<std::uint8_t>;

sim::DeviceConfig Sensor(std::uint16_t firmware = 0x0200) {
    sim::DeviceConfig config;
    config.firmware = firmware;
    config.parameters = {5, 1, 1, 0, 0, 0};  // the window's load selections
    config.randomMotion = false;
    return config;
}

std::vector<sim::ReceivedFrame> Of(const std::vector<sim::ReceivedFrame>& frames,
                                   std::uint8_t command) {
    std::vector<sim::ReceivedFrame> out;
    for (const auto& f : frames) {
        if (f.command == command) {
            out.push_back(f);
        }
    }
    return out;
}

class SensorWindowScenario : public ::testing::Test {
  protected:
    // Opens the window and lets the first read, the stream start and an
    // identity cycle complete.
    sim::Adapter& openSettled(const sim::DeviceConfig& config = Sensor()) {
        sim::Adapter& adapter = session.plug(config);
        session.start();
        EXPECT_TRUE(session.openWindow());
        session.clock.advance(1000);
        EXPECT_FALSE(window().conversation().readParametersPending);
        EXPECT_FALSE(window().conversation().streamStartPending);
        return adapter;
    }
    // The technician opens a list and picks an item.
    static void choose(ComboList& list, std::int16_t index) {
        list.dropDown();
        list.userSelect(index);
    }
    SensorWindow& window() { return session.window; }

    testing::SessionDirectory dir;
    testing::SensorSession session{dir.path.string()};
};

TEST_F(SensorWindowScenario, OpeningSendsReadAndStreamStartAndNeverLogsIdentityRequests) {
    sim::Adapter& adapter = session.plug(Sensor());
    session.start();
    std::size_t logAtLoad = 0;
    std::size_t framesAtLoad = 0;
    std::string loggedDuringLoad;
    std::vector<sim::ReceivedFrame> sentDuringLoad;
    window().observe([&] {
        if (window().loaded() && !window().visible()) {  // raised just before onLoad
            logAtLoad = session.sentLog().size();
            framesAtLoad = adapter.receivedFrames().size();
        } else if (window().visible() && sentDuringLoad.empty()) {
            loggedDuringLoad = session.sentLog().substr(logAtLoad);
            sentDuringLoad = testing::SensorSession::framesSince(adapter, framesAtLoad);
        }
    });
    ASSERT_TRUE(session.openWindow());
    EXPECT_EQ(loggedDuringLoad, "01020200020103\r\n0102140200160103\r\n");
    ASSERT_EQ(sentDuringLoad.size(), 2U);
    EXPECT_EQ(sentDuringLoad[0].command, 2);
    EXPECT_EQ(sentDuringLoad[1].command, 20);
    EXPECT_EQ(sentDuringLoad[1].payload, Bytes{2});

    const std::size_t logAfterOpen = session.sentLog().size();
    adapter.clearObservations();
    session.clock.advance(5000);
    EXPECT_GE(adapter.framesReceived(0), 8U);
    EXPECT_EQ(session.sentLog().find("01020000000103", logAfterOpen), std::string::npos);
    // A working sensor: its identity in the status bar, rewritten every cycle.
    EXPECT_EQ(window().statusBar.panelText("identity"), "A123456789 - HW: 102 - FW: 200");
}

TEST_F(SensorWindowScenario, PromptSensorTakesOneWriteThenOneRead) {
    sim::Adapter& adapter = openSettled();
    adapter.clearObservations();
    choose(window().parameterList(Parameter::Sensitivity), 6);
    session.clock.advance(2000);
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (Bytes{7, 1, 1, 0, 0, 0}));
    EXPECT_EQ(adapter.framesReceived(2), 1U);
    EXPECT_EQ(adapter.zelSensor()->parameters().sensitivity, 7);
    EXPECT_EQ(window().parameterMemory()[Parameter::Sensitivity].lastReported, 6);
    EXPECT_EQ(window().detectionArea.box(), areaBox(7));
}

TEST_F(SensorWindowScenario, WriteLengthFollowsTheFirmware) {
    for (const auto& [firmware, length] :
         std::vector<std::pair<std::uint16_t, std::size_t>>{{0x01FF, 5}, {0x0200, 6}}) {
        testing::SessionDirectory otherDir;
        testing::SensorSession other{otherDir.path.string()};
        sim::Adapter& adapter = other.plug(Sensor(firmware));
        other.start();
        ASSERT_TRUE(other.openWindow());
        other.clock.advance(1000);
        choose(other.window.parameterList(Parameter::MainsFilter), 2);
        other.clock.advance(1000);
        const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
        ASSERT_EQ(writes.size(), 1U) << firmware;
        EXPECT_EQ(writes[0].payload.size(), length) << firmware;
        EXPECT_EQ(writes[0].payload[3], 2) << firmware;
    }
}

TEST_F(SensorWindowScenario, UnacknowledgedWriteRepeatsOnEveryTickWhileTheSensorIsKnown) {
    sim::Adapter& adapter = openSettled();
    adapter.setDropReplyRate(1.0);  // nothing the sensor says arrives...
    const Bytes identity = sim::encodeFrame(1, Bytes{0x01, 0x01, 'A', '1', '2', '3', '4', '5', '6',
                                                     '7', '8', '9', 0x01, 0x02, 0x02, 0});
    adapter.clearObservations();
    choose(window().parameterList(Parameter::RelayOnTime), 3);
    std::size_t identityRequests = 0;
    for (int step = 0; step < 300; ++step) {
        session.clock.advance(10);
        if (adapter.framesReceived(0) != identityRequests) {
            identityRequests = adapter.framesReceived(0);
            adapter.injectNoise(identity);  // ...except the identity, which stays current
        }
    }
    EXPECT_TRUE(window().visible());
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_GE(writes.size(), 20U);
    for (std::size_t i = 1; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].payload, writes[0].payload);
        const auto gap = writes[i].timeMs - writes[i - 1].timeMs;
        // Every tick, except the one after an identity request, which waits
        // for the identity to be known again.
        EXPECT_TRUE(gap == 100 || gap == 200) << gap;
    }
    EXPECT_EQ(writes[0].payload[1], 4);
}

TEST_F(SensorWindowScenario, DroppedDownListHoldsItsWriteUntilAnItemIsClicked) {
    sim::Adapter& adapter = openSettled();
    adapter.clearObservations();
    window().parameterList(Parameter::ReactionSpeed).dropDown();
    session.clock.advance(1000);
    EXPECT_EQ(adapter.framesReceived(4), 0U);
    EXPECT_TRUE(window().parameterMemory()[Parameter::ReactionSpeed].beingEdited);

    // Closed without a click: another list's change still writes, carrying
    // every list's selection.
    choose(window().parameterList(Parameter::MainsFilter), 1);
    session.clock.advance(1000);
    EXPECT_EQ(adapter.framesReceived(4), 1U);

    window().parameterList(Parameter::ReactionSpeed).dropDown();
    const std::int64_t clicked = session.clock.nowMs() + 500;
    session.clock.advanceTo(clicked);
    window().parameterList(Parameter::ReactionSpeed).userSelect(2);
    session.clock.advance(1000);
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_EQ(writes.size(), 2U);
    EXPECT_GT(writes[1].timeMs, clicked);
    EXPECT_LE(writes[1].timeMs, clicked + 200);
    EXPECT_EQ(writes[1].payload, (Bytes{5, 1, 2, 1, 0, 0}));
}

// For each list in turn: its selection changed between two ticks and the
// list then dropped down, the change waits, through any number of ticks,
// until the technician clicks an item; then one write carries it.
TEST_F(SensorWindowScenario, EveryDroppedDownListHoldsItsChangeUntilAnItemIsClicked) {
    sim::Adapter& adapter = openSettled();
    // The sensor's values after each list's change has gone out.
    const std::vector<Bytes> afterEach = {{6, 1, 1, 0, 0, 0}, {6, 2, 1, 0, 0, 0},
                                          {6, 2, 2, 0, 0, 0}, {6, 2, 2, 1, 0, 0},
                                          {6, 2, 2, 1, 1, 0}, {6, 2, 2, 1, 1, 1}};
    ASSERT_EQ(afterEach.size(), sensor::kParameterCount);
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        SCOPED_TRACE(std::string(row.name));
        ComboList& list = window().parameterList(row.parameter);
        const auto other = static_cast<std::int16_t>((list.listIndex() + 1) % list.listCount());
        adapter.clearObservations();

        list.setListIndex(other);
        list.dropDown();
        session.clock.advance(1000);
        EXPECT_EQ(adapter.framesReceived(4), 0U);
        EXPECT_NE(list.listIndex(), window().parameterMemory()[row.parameter].lastReported);

        list.userSelect(other);
        session.clock.advance(1000);
        const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
        ASSERT_EQ(writes.size(), 1U);
        EXPECT_EQ(writes[0].payload, afterEach[sensor::indexOf(row.parameter)]);
        EXPECT_EQ(window().parameterMemory()[row.parameter].lastReported, other);
    }
}

TEST_F(SensorWindowScenario, LostSensorClosesTheWindowAndSupervisionTakesOver) {
    sim::Adapter& adapter = openSettled();
    std::vector<std::pair<std::int64_t, std::string>> panel;
    window().statusBar.observe([&] {
        panel.emplace_back(session.clock.nowMs(), window().statusBar.panelText("identity"));
    });
    std::int64_t closedAt = -1;
    std::size_t framesAtClose = 0;
    window().observe([&] {
        if (!window().loaded() && closedAt < 0) {
            closedAt = session.clock.nowMs();
            framesAtClose = adapter.receivedFrames().size();
        }
    });

    const std::int64_t detachedAt = session.clock.nowMs();
    adapter.detachDevice();
    ASSERT_TRUE(session.runUntil([&] { return closedAt >= 0; }, 6000));
    session.clock.advance(1);

    ASSERT_FALSE(panel.empty());
    EXPECT_EQ(panel.back().second, session.text(30));
    const std::int64_t missingShownAt = panel.back().first;
    EXPECT_EQ(closedAt - missingShownAt, 3 * 600);
    // Three cycles after the first one that misses, which depends on where in
    // its cycle the sensor was lost.
    EXPECT_GE(missingShownAt - detachedAt, 1700);
    EXPECT_LE(missingShownAt - detachedAt, 2400);

    // The stream stop, then one identity request, in the same moment.
    const auto after = testing::SensorSession::framesSince(adapter, framesAtClose - 1);
    ASSERT_GE(after.size(), 2U);
    EXPECT_EQ(after[0].command, 20);
    EXPECT_EQ(after[0].payload, Bytes{0});
    EXPECT_EQ(after[1].command, 0);
    EXPECT_EQ(after[1].timeMs, closedAt);

    EXPECT_FALSE(window().loaded());
    EXPECT_TRUE(session.app.startWindow().visible());
    EXPECT_EQ(session.app.state().activeWindow, link::ActiveWindow::Start);
    EXPECT_FALSE(session.app.ended());

    // Plugged back in at once, the window opens again at the sixth status
    // tick (500 ms apart) after the close.
    adapter.reattachDevice();
    ASSERT_TRUE(session.openWindow());
    EXPECT_GT(session.clock.nowMs() - closedAt, 2500);
    EXPECT_LE(session.clock.nowMs() - closedAt, 3000);
}

TEST_F(SensorWindowScenario, ClosingByHandStopsTheStreamOnceAndEndsTheApplication) {
    sim::Adapter& adapter = openSettled();
    adapter.clearObservations();
    window().exitMenu.click();
    EXPECT_TRUE(session.app.ended());
    EXPECT_EQ(session.host.quitRequests, 1);
    session.clock.advance(2000);
    ASSERT_EQ(adapter.receivedFrames().size(), 1U);
    EXPECT_EQ(adapter.receivedFrames()[0].command, 20);
    EXPECT_EQ(adapter.receivedFrames()[0].payload, Bytes{0});
    EXPECT_FALSE(adapter.zelSensor()->streaming());
}

// Parameter replies the window cannot take whole must never lead to a write
// of values that neither the sensor reported nor the technician chose.
TEST_F(SensorWindowScenario, RejectedRepliesCannotReconfigureTheSensor) {
    sim::DeviceConfig config = Sensor();
    config.parameters = {2, 6, 0, 2, 1, 2};
    config.forcedReplyValues = std::array<std::uint8_t, 6>{2, 6, 3, 2, 1, 2};  // speed 3
    sim::Adapter& adapter = session.plug(config);
    session.start();
    ASSERT_TRUE(session.openWindow());
    session.clock.advance(2000);
    EXPECT_TRUE(window().conversation().readParametersPending);
    EXPECT_EQ(window().parameterList(Parameter::Sensitivity).listIndex(), 1);  // taken
    EXPECT_EQ(window().parameterList(Parameter::ReactionSpeed).listIndex(),
              1);  // load selection kept
    EXPECT_EQ(adapter.framesReceived(4), 0U);
    EXPECT_GE(adapter.framesReceived(2), 10U);  // asked again and again

    // An out-of-range height leaves the height list where it was.
    adapter.zelSensor()->setForcedReplyValues(std::array<std::uint8_t, 6>{2, 6, 0, 2, 1, 7});
    session.clock.advance(1000);
    EXPECT_EQ(window().parameterList(Parameter::InstallationHeight).listIndex(), 0);
    EXPECT_TRUE(window().conversation().readParametersPending);
    EXPECT_EQ(adapter.framesReceived(4), 0U);

    // Once the sensor answers properly, the lists show its values and a
    // change by the technician writes only that change.
    adapter.zelSensor()->setForcedReplyValues(std::nullopt);
    session.clock.advance(1000);
    EXPECT_FALSE(window().conversation().readParametersPending);
    EXPECT_EQ(window().parameterList(Parameter::InstallationHeight).listIndex(), 2);
    EXPECT_EQ(adapter.framesReceived(4), 0U);
    choose(window().parameterList(Parameter::HighTraffic), 0);
    session.clock.advance(1000);
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (Bytes{2, 6, 0, 2, 0, 2}));
    EXPECT_EQ(adapter.zelSensor()->parameters(), (sim::ZelParameters{2, 6, 0, 2, 0, 2}));
}

// A parameter reply decoded while an identity cycle has cleared the identity
// cannot tell whether it carries the height; the height list stays as the
// sensor last reported it, so later writes carry the sensor's own height.
TEST_F(SensorWindowScenario, ReadsCrossingAnIdentityCycleKeepTheHeight) {
    sim::DeviceConfig config = Sensor(0x0200);
    config.parameters.height = 2;
    sim::Adapter& adapter = openSettled(config);
    adapter.clearObservations();
    // Changes at every phase of the 600 ms identity cycle, one tick apart.
    for (int change = 0; change < 12; ++change) {
        choose(window().parameterList(Parameter::HighTraffic),
               static_cast<std::int16_t>(change % 2 == 0));
        session.clock.advance(700);
        EXPECT_EQ(window().parameterList(Parameter::InstallationHeight).listIndex(), 2) << change;
    }
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_GE(writes.size(), 12U);
    for (const auto& write : writes) {
        EXPECT_EQ(write.payload.size(), 6U);
        EXPECT_EQ(write.payload[5], 2);
    }
    EXPECT_EQ(adapter.zelSensor()->parameters().height, 2);
}

// Another sensor plugged in within one identity cycle keeps the window open.
// Its lists must be read again before anything is written, or the next write
// would carry the first sensor's values into the second one.
TEST_F(SensorWindowScenario, SensorSwappedUnderTheOpenWindowIsReadBeforeAnyWrite) {
    sim::Adapter& adapter = openSettled();
    sim::DeviceConfig second = Sensor();
    second.serial = "B000000002";
    second.parameters = {9, 4, 2, 2, 1, 2};
    adapter.attachDevice(second);
    adapter.clearObservations();
    session.clock.advance(1500);  // the next identity cycles see the new sensor
    ASSERT_TRUE(window().visible());
    EXPECT_EQ(window().statusBar.panelText("identity"), "B000000002 - HW: 102 - FW: 200");
    EXPECT_GE(adapter.framesReceived(2), 1U);
    EXPECT_EQ(window().parameterList(Parameter::Sensitivity).listIndex(), 8);

    choose(window().parameterList(Parameter::RelayOnTime), 5);
    session.clock.advance(1000);
    const auto writes = Of(testing::SensorSession::framesSince(adapter, 0), 4);
    ASSERT_EQ(writes.size(), 1U);
    EXPECT_EQ(writes[0].payload, (Bytes{9, 6, 2, 2, 1, 2}));
}

}  // namespace
}  // namespace quarn::sensorwin
