#include <gtest/gtest.h>

#include <vector>

#include "sensor/EditGuard.h"
#include "sensor/IdentityCycle.h"
#include "sensor/ParamsChanged.h"
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
    rig.tresh.setListIndex(6);  // differs from the last reported value
    ticks(1);
    EXPECT_EQ(rig.sent(), (std::vector<SentFrame>{{2, {}}, {20, {2}}}));
    EXPECT_EQ(rig.logged(), "01020200020103\r\n0102140200160103\r\n");
}

TEST_F(ConversationTest, WriteCarriesEveryListAndFollowsTheFirmware) {
    rig.relay.setListIndex(8);
    rig.traffic.setListIndex(1);
    rig.height.setListIndex(2);
    rig.app.identity.firmwareVersion = 0x01FF;
    ticks(1);
    rig.app.identity.firmwareVersion = 0x0200;
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
        rig.app.identity.type = type;
        ticks(1);
    }
    rig.state.readParametersPending = false;
    rig.tresh.setListIndex(0);
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
    EXPECT_EQ(rig.app.identity.type, 0);
    EXPECT_EQ(rig.app.identity.serial, "");
    EXPECT_EQ(rig.state.ticksSinceIdentity, 0);
    EXPECT_EQ(rig.state.missedIdentities, 0);
}

TEST_F(ConversationTest, LostSensorShowsTheTextAtThreeAndClosesAtSix) {
    rig.app.endWithSensorWindow = true;
    rig.bar.setPanelText("identity", "A123456789 - HW: 102 - FW: 200");
    rig.app.identity.clear();
    for (int cycle = 1; cycle <= 5; ++cycle) {
        ticks(6);
        EXPECT_EQ(rig.state.missedIdentities, cycle);
        EXPECT_EQ(rig.bar.panelText("identity"),
                  cycle < 3 ? "A123456789 - HW: 102 - FW: 200" : "Sensore assente");
    }
    EXPECT_TRUE(rig.app.endWithSensorWindow);
    EXPECT_TRUE(rig.unloadsAtWrite.empty());
    rig.clearSent();

    ticks(6);
    EXPECT_FALSE(rig.app.endWithSensorWindow);
    // The window closes first; the identity request follows it.
    EXPECT_EQ(rig.unloadsAtWrite, (std::vector<std::size_t>{0}));
    EXPECT_EQ(rig.sent(), (std::vector<SentFrame>{{0, {}}}));
    EXPECT_EQ(rig.state.ticksSinceIdentity, 0);
    EXPECT_EQ(rig.state.missedIdentities, 6);

    // The count survives until a cycle finds the sensor again.
    rig.app.identity = {0x0101, "B000000001", 0x0100, 0x0100};
    ticks(6);
    EXPECT_EQ(rig.state.missedIdentities, 0);
    EXPECT_EQ(rig.bar.panelText("identity"), "B000000001 - HW: 100 - FW: 100");
}

TEST_F(ConversationTest, IdentityPaceFollowsTheIntervalAndSurvivesAZeroOne) {
    EXPECT_EQ(identityThreshold(100), 5);
    EXPECT_EQ(identityThreshold(30), 16);
    EXPECT_EQ(identityThreshold(499), 1);
    EXPECT_EQ(identityThreshold(1000), 0);
    EXPECT_EQ(identityThreshold(0), 5);
    EXPECT_EQ(identityThreshold(-20), 5);

    rig.timer->setInterval(0);
    ticks(6);
    EXPECT_EQ(rig.sent().size(), 1U);
    rig.timer->setInterval(1000);  // every call is a cycle
    ticks(2);
    EXPECT_EQ(rig.sent().size(), 3U);
}

TEST_F(ConversationTest, ChangeCheckIsMaskedByTheEditFlagsAndIncludesTheHeight) {
    EXPECT_FALSE(paramsChanged(rig.lists, rig.params));
    rig.params.editSelHeight = false;
    rig.app.identity.firmwareVersion = 0x0100;  // the height list counts whatever the firmware
    rig.height.setListIndex(1);
    EXPECT_TRUE(paramsChanged(rig.lists, rig.params));
    rig.params.editSelHeight = true;
    EXPECT_FALSE(paramsChanged(rig.lists, rig.params));

    // A list held open masks only itself.
    rig.filter.setListIndex(2);
    EXPECT_TRUE(paramsChanged(rig.lists, rig.params));
    rig.params.editFilterLine = true;
    EXPECT_FALSE(paramsChanged(rig.lists, rig.params));
}

TEST_F(ConversationTest, EditGuardFollowsDropDownAndClickOfEachList) {
    EditGuard guard(rig.params);
    guard.connect(rig.lists);
    struct Pair {
        ComboList& list;
        bool ParameterMemory::*flag;
    };
    const std::vector<Pair> pairs = {
        {rig.tresh, &ParameterMemory::editTresh},
        {rig.relay, &ParameterMemory::editTonRele},
        {rig.speed, &ParameterMemory::editVelSense},
        {rig.filter, &ParameterMemory::editFilterLine},
        {rig.traffic, &ParameterMemory::editHighTraffic},
        {rig.height, &ParameterMemory::editSelHeight},
    };
    for (const auto& pair : pairs) {
        pair.list.dropDown();
        EXPECT_TRUE(rig.params.*pair.flag) << pair.list.name();
        int raised = 0;
        for (const auto& other : pairs) {
            raised += (rig.params.*other.flag) ? 1 : 0;
        }
        EXPECT_EQ(raised, 1) << pair.list.name();
        pair.list.userSelect(0);
        EXPECT_FALSE(rig.params.*pair.flag) << pair.list.name();
    }
}

}  // namespace
}  // namespace quarn::sensor
