#include <gtest/gtest.h>

#include <vector>

#include "sensor/EditGuard.h"
#include "sensor/IdentityCycle.h"
#include "sensor/ParameterChangeCheck.h"
#include "unit/sensor/ConversationRig.h"

namespace quarn::sensor {
namespace {

using testing::SentFrame;
using Bytes = std::vector<std::uint8_t>;

class ConversationTest : public ::testing::Test {
  protected:
    void ticks(int n) {
        for (int i = 0; i < n; ++i) {
            rig.conversation.conversationTick();
        }
    }
    testing::ConversationRig rig;
};

TEST_F(ConversationTest, PendingReadHoldsBackAWriteAndTheStreamStartFollows) {
    rig.state.readParametersPending = true;
    rig.state.streamStartPending = true;
    rig.sensitivity.setListIndex(6);  // differs from the last reported value
    ticks(1);
    EXPECT_EQ(rig.sent(), (std::vector<SentFrame>{{2, {}}, {20, {2}}}));
    EXPECT_EQ(rig.logged(), "01020200020103\r\n0102140200160103\r\n");
}

TEST_F(ConversationTest, WriteCarriesEveryListAndFollowsTheFirmware) {
    rig.relayOnTime.setListIndex(8);
    rig.highTraffic.setListIndex(1);
    rig.height.setListIndex(2);
    rig.session.identity.firmwareVersion = 0x01FF;
    ticks(1);
    rig.session.identity.firmwareVersion = 0x0200;
    ticks(1);
    // Unacknowledged, the same write goes out on every tick.
    ticks(1);
    EXPECT_EQ(rig.sent(),
              (std::vector<SentFrame>{
                  {4, {5, 9, 1, 0, 1}}, {4, {5, 9, 1, 0, 1, 2}}, {4, {5, 9, 1, 0, 1, 2}}}));
}

TEST_F(ConversationTest, NothingButTheIdentityCycleWithoutTheSensor) {
    rig.state.readParametersPending = true;
    rig.state.streamStartPending = true;
    for (const int type : {0, 0x0102}) {
        rig.session.identity.type = type;
        ticks(1);
    }
    rig.state.readParametersPending = false;
    rig.sensitivity.setListIndex(0);
    ticks(1);
    EXPECT_TRUE(rig.sent().empty());
}

TEST_F(ConversationTest, IdentityCycleRunsOnEverySixthCallUnlogged) {
    ticks(5);
    EXPECT_TRUE(rig.sent().empty());
    EXPECT_EQ(rig.state.ticksSinceIdentity, 5);
    rig.state.missedIdentities = 2;
    ticks(1);
    EXPECT_EQ(rig.bar.panelText("identity"), "A123456789 - HW: 102 - FW: 200");
    EXPECT_EQ(rig.sent(), (std::vector<SentFrame>{{0, {}}}));
    EXPECT_EQ(rig.logged(), "");
    EXPECT_EQ(rig.session.identity.type, 0);
    EXPECT_EQ(rig.session.identity.serial, "");
    EXPECT_EQ(rig.state.ticksSinceIdentity, 0);
    EXPECT_EQ(rig.state.missedIdentities, 0);
}

TEST_F(ConversationTest, LostSensorShowsTheTextAtThreeAndClosesAtSix) {
    rig.session.endWithSensorWindow = true;
    rig.bar.setPanelText("identity", "A123456789 - HW: 102 - FW: 200");
    rig.session.identity.clear();
    for (int cycle = 1; cycle <= 5; ++cycle) {
        ticks(6);
        EXPECT_EQ(rig.state.missedIdentities, cycle);
        EXPECT_EQ(rig.bar.panelText("identity"),
                  cycle < 3 ? "A123456789 - HW: 102 - FW: 200" : "Sensore assente");
    }
    EXPECT_TRUE(rig.session.endWithSensorWindow);
    EXPECT_TRUE(rig.unloadsAtWrite.empty());
    rig.clearSent();

    ticks(6);
    EXPECT_FALSE(rig.session.endWithSensorWindow);
    // The window closes first; the identity request follows it.
    EXPECT_EQ(rig.unloadsAtWrite, (std::vector<std::size_t>{0}));
    EXPECT_EQ(rig.sent(), (std::vector<SentFrame>{{0, {}}}));
    EXPECT_EQ(rig.state.ticksSinceIdentity, 0);
    EXPECT_EQ(rig.state.missedIdentities, 6);

    // The count survives until a cycle finds the sensor again.
    rig.session.identity = {0x0101, "B000000001", 0x0100, 0x0100};
    ticks(6);
    EXPECT_EQ(rig.state.missedIdentities, 0);
    EXPECT_EQ(rig.bar.panelText("identity"), "B000000001 - HW: 100 - FW: 100");
}

TEST_F(ConversationTest, IdentityPaceFollowsTheIntervalAndSurvivesAZeroOne) {
    EXPECT_EQ(ticksBetweenIdentityCycles(100), 5);
    EXPECT_EQ(ticksBetweenIdentityCycles(30), 16);
    EXPECT_EQ(ticksBetweenIdentityCycles(499), 1);
    EXPECT_EQ(ticksBetweenIdentityCycles(1000), 0);
    EXPECT_EQ(ticksBetweenIdentityCycles(0), 5);
    EXPECT_EQ(ticksBetweenIdentityCycles(-20), 5);

    rig.timer->setInterval(0);
    ticks(6);
    EXPECT_EQ(rig.sent().size(), 1U);
    rig.timer->setInterval(1000);  // every call is a cycle
    ticks(2);
    EXPECT_EQ(rig.sent().size(), 3U);
}

TEST_F(ConversationTest, ChangeCheckIsMaskedByTheEditFlagsAndIncludesTheHeight) {
    EXPECT_FALSE(parametersChanged(rig.lists, rig.memory));
    rig.memory[Parameter::InstallationHeight].beingEdited = false;
    rig.session.identity.firmwareVersion = 0x0100;  // the height list counts whatever the firmware
    rig.height.setListIndex(1);
    EXPECT_TRUE(parametersChanged(rig.lists, rig.memory));
    rig.memory[Parameter::InstallationHeight].beingEdited = true;
    EXPECT_FALSE(parametersChanged(rig.lists, rig.memory));

    // A list held open masks only itself.
    rig.mainsFilter.setListIndex(2);
    EXPECT_TRUE(parametersChanged(rig.lists, rig.memory));
    rig.memory[Parameter::MainsFilter].beingEdited = true;
    EXPECT_FALSE(parametersChanged(rig.lists, rig.memory));
}

TEST_F(ConversationTest, EditGuardFollowsDropDownAndClickOfEachList) {
    EditGuard guard(rig.memory);
    guard.connect(rig.lists);
    auto raisedFlags = [this] {
        int raised = 0;
        for (const ParameterRow& row : kParameterTable) {
            raised += rig.memory[row.parameter].beingEdited ? 1 : 0;
        }
        return raised;
    };
    for (const ParameterRow& row : kParameterTable) {
        ComboList& list = rig.lists[row.parameter];
        list.dropDown();
        EXPECT_TRUE(rig.memory[row.parameter].beingEdited) << list.name();
        EXPECT_EQ(raisedFlags(), 1) << list.name();
        list.userSelect(0);
        EXPECT_FALSE(rig.memory[row.parameter].beingEdited) << list.name();
    }
}

}  // namespace
}  // namespace quarn::sensor
