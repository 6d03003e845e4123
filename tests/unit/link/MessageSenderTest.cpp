#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/MessageSender.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::LinkRig;
using Calls = std::vector<std::string>;

TEST(MessageSender, IdentityRequestIsWrittenAndLoggedOnTheSendSide) {
    LinkRig rig;
    rig.showMonitor();
    rig.sender.send(Command::GetIdentity, {}, 0, true);
    EXPECT_EQ(
        rig.driver.calls,
        (Calls{"ListDevices(&count, null, 0x80000000)", "ListDevices(0, blank, 0x40000002)",
               "OpenEx(\"QuarnProg\", 2)", "ResetDevice(h1)", "Purge(h1, 3)", "Write(h1, 7)"}));
    ASSERT_EQ(rig.driver.writes.size(), 1U);
    EXPECT_EQ(rig.driver.writes[0], (Bytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03}));
    EXPECT_EQ(rig.monitor.sentFrames.text(), "01020000000103\r\n");
    EXPECT_EQ(rig.monitor.sentFrames.caretPosition(), 16U);  // scrolled to the new line
    EXPECT_TRUE(rig.monitor.receivedFrames.text().empty());

    // The link stays open: the next message is written without enumerating.
    const Bytes payload{0x00};
    rig.driver.clearCalls();
    rig.sender.send(Command::SetStreaming, payload, 1, true);
    EXPECT_EQ(rig.driver.calls, (Calls{"Purge(h1, 3)", "Write(h1, 8)"}));
    EXPECT_EQ(rig.monitor.sentFrames.text(), "01020000000103\r\n0102140000140103\r\n");
}

TEST(MessageSender, NothingIsLoggedWithoutTheFlagOrWithoutAnAdapter) {
    LinkRig rig;
    rig.showMonitor();
    rig.sender.send(Command::GetIdentity, {}, 0, false);
    EXPECT_EQ(rig.driver.writes.size(), 1U);
    EXPECT_TRUE(rig.monitor.sentFrames.text().empty());

    LinkRig absent;
    absent.showMonitor();
    absent.driver.adapters.clear();
    absent.sender.send(Command::GetIdentity, {}, 0, true);
    EXPECT_TRUE(absent.driver.writes.empty());
    EXPECT_TRUE(absent.monitor.sentFrames.text().empty());

    LinkRig hidden;
    hidden.sender.send(Command::GetIdentity, {}, 0, true);
    EXPECT_EQ(hidden.driver.writes.size(), 1U);
    EXPECT_TRUE(hidden.monitor.loaded());  // loaded by the first line, still hidden
    EXPECT_FALSE(hidden.monitor.visible());
    EXPECT_TRUE(hidden.monitor.sentFrames.text().empty());
}

TEST(MessageSender, FailedOrPartialWriteClosesTheLinkAndLogsNothing) {
    LinkRig rig;
    rig.showMonitor();
    rig.driver.writtenOverride = 5;
    rig.sender.send(Command::GetIdentity, {}, 0, true);
    EXPECT_FALSE(rig.usb.isOpen());
    EXPECT_EQ(rig.driver.calls.back(), "Close(h1)");
    EXPECT_TRUE(rig.monitor.sentFrames.text().empty());

    // The next send enumerates afresh.
    rig.driver.writtenOverride.reset();
    rig.driver.failNext("Purge");
    rig.driver.clearCalls();
    rig.sender.send(Command::GetIdentity, {}, 0, true);
    EXPECT_EQ(rig.driver.calls.front(), "ListDevices(&count, null, 0x80000000)");
    EXPECT_EQ(rig.driver.calls.back(), "Close(h2)");
    EXPECT_TRUE(rig.monitor.sentFrames.text().empty());
    EXPECT_EQ(rig.driver.staleHandleUses, 0);
}

}  // namespace
}  // namespace quarn::link
