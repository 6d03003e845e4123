#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/VirtualClock.h"
#include "sensorwin/AreaDrawing.h"
#include "sensorwin/SensorWindow.h"
#include "support/SendingSide.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::sensorwin {
namespace {

using sensor::Parameter;
using testing::makeReply;
using testing::SentFrame;

class SensorWindowTest : public ::testing::Test, public testing::SendingSide {
  protected:
    SensorWindowTest() {
        driver.addAdapter("QuarnProg");
        driver.recording = false;
        monitor.show();
        host.separator = ",";
        for (int i = 0; i <= 200; ++i) {
            char text[8];
            std::snprintf(text, sizeof text, "t%d", i);
            session.texts[static_cast<std::size_t>(i)] = text;
        }
        session.identity = {0x0101, "A123456789", 0x0102, 0x0200};
    }

    std::vector<SentFrame> sent() {
        auto frames = testing::parseWrites(driver.writes);
        driver.writes.clear();
        return frames;
    }
    void receive(const testing::HeldFrame& frame) {
        form.replyDecoder().decode(frame.bytes, frame.length);
    }

    VirtualClock clock;
    int returns = 0;
    SensorWindow form{session, sender, monitor, clock, host, [this] {
                          ++returns;
                          session.activeWindow = link::ActiveWindow::Start;
                      }};
};

TEST_F(SensorWindowTest, LoadSetsUpTheWindowAndSendsReadAndStreamStart) {
    form.parameterMemory()[Parameter::Sensitivity].beingEdited = true;
    form.parameterMemory()[Parameter::InstallationHeight].beingEdited = true;
    form.showSensorWindow();

    EXPECT_TRUE(form.visible());
    EXPECT_FALSE(form.modal());
    EXPECT_EQ(form.outerWidth(), 4972);
    EXPECT_EQ(form.caption(), "t33");
    EXPECT_EQ(form.exitMenu.caption(), "t11");
    EXPECT_EQ(form.parameterCaption(Parameter::Sensitivity).caption(), "t57");
    EXPECT_EQ(form.parameterCaption(Parameter::InstallationHeight).caption(), "t62");
    EXPECT_EQ(form.parametersFrame.caption(), "t64");
    EXPECT_EQ(form.signalCaption.caption(), "t63");
    EXPECT_EQ(form.parameterList(Parameter::RelayOnTime).items()[0], "0,5");
    EXPECT_EQ(form.parameterList(Parameter::ReactionSpeed).listIndex(), 1);
    EXPECT_FALSE(form.parameterList(Parameter::InstallationHeight).visible());
    EXPECT_TRUE(form.statusBar.hasPanel("identity"));

    EXPECT_EQ(session.activeWindow, link::ActiveWindow::Sensor);
    EXPECT_TRUE(session.endWithSensorWindow);
    EXPECT_TRUE(form.conversation().readParametersPending);
    EXPECT_TRUE(form.conversation().streamStartPending);
    // The load selection clicked them.
    EXPECT_FALSE(form.parameterMemory()[Parameter::Sensitivity].beingEdited);
    EXPECT_FALSE(form.parameterMemory()[Parameter::InstallationHeight].beingEdited);
    EXPECT_EQ(form.conversationTimer->interval(), 100);
    EXPECT_TRUE(form.conversationTimer->enabled());

    EXPECT_EQ(sent(), (std::vector<SentFrame>{{2, {}}, {20, {2}}}));
    EXPECT_EQ(monitor.sentFrames.text(), "01020200020103\r\n0102140200160103\r\n");
}

TEST_F(SensorWindowTest, ClosingSendsOneStreamStopAndHandsBack) {
    form.showSensorWindow();
    sent();
    form.exitMenu.click();
    EXPECT_EQ(sent(), (std::vector<SentFrame>{{20, {0}}}));
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(form.conversationTimer->enabled());
    clock.advance(5000);
    EXPECT_TRUE(sent().empty());
    form.unload();
    EXPECT_EQ(returns, 1);
}

TEST_F(SensorWindowTest, ConversationRunsOnTheTimerAndRepliesReachTheControls) {
    form.showSensorWindow();
    receive(makeReply(5, {}));  // stray acknowledgement: reads again
    receive(makeReply(3, {7, 3, 0, 2, 1, 1}));
    receive(makeReply(21, {}));
    receive(makeReply(23, {2, 0x01, 0x2C, 1}));
    EXPECT_EQ(form.parameterList(Parameter::Sensitivity).listIndex(), 6);
    EXPECT_EQ(form.parameterMemory()[Parameter::InstallationHeight].lastReported, 1);
    EXPECT_EQ(form.detectionArea.box(), areaBox(7));
    EXPECT_EQ(form.heightLabel.caption(), "t62:  2.90 m");
    EXPECT_EQ(form.levelValue.caption(), "300");
    EXPECT_TRUE(form.alarmLed.on());
    sent();

    clock.advance(400);  // nothing pending, nothing changed
    EXPECT_TRUE(sent().empty());
    clock.advance(100);  // the fifth tick runs the first identity cycle
    EXPECT_EQ(sent(), (std::vector<SentFrame>{{0, {}}}));
    EXPECT_EQ(form.statusBar.panelText("identity"), "A123456789 - HW: 102 - FW: 200");
}

TEST_F(SensorWindowTest, SelfCloseFromItsOwnTickAndReopenFromAFreshWindow) {
    form.showSensorWindow();
    receive(makeReply(3, {2, 2, 2, 2, 1, 2}));
    receive(makeReply(23, {2, 0x10, 0x00, 1}));
    // The sensor never answers again: six missed cycles close the window.
    clock.advance(500 + 6 * 600);
    EXPECT_FALSE(form.loaded());
    EXPECT_FALSE(session.endWithSensorWindow);
    EXPECT_EQ(returns, 1);
    EXPECT_FALSE(form.peakHoldTimer->enabled());
    const auto frames = sent();
    ASSERT_GE(frames.size(), 2U);
    EXPECT_EQ(frames[frames.size() - 2], (SentFrame{20, {0}}));
    EXPECT_EQ(frames.back(), (SentFrame{0, {}}));
    clock.advance(2000);
    EXPECT_TRUE(sent().empty());

    session.identity = {0x0101, "A123456789", 0x0102, 0x0200};
    form.showSensorWindow();
    EXPECT_EQ(form.levelValue.caption(), "");
    EXPECT_EQ(form.peakValue.caption(), "0");
    EXPECT_FALSE(form.alarmLed.on());
    EXPECT_FALSE(form.peakHoldTimer->enabled());
    EXPECT_TRUE(form.detectionAreaPicture.lines().empty());
    EXPECT_EQ(form.statusBar.panelText("identity"), "");
    EXPECT_EQ(form.parameterList(Parameter::Sensitivity).listIndex(), 4);
    EXPECT_EQ(form.parameterList(Parameter::Sensitivity).listCount(), 9);
    // What the sensor reported last time is still known.
    EXPECT_EQ(form.parameterMemory()[Parameter::Sensitivity].lastReported, 1);
    EXPECT_EQ(form.conversation().missedIdentities, 6);
}

}  // namespace
}  // namespace quarn::sensorwin
