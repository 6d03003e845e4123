#include <gtest/gtest.h>

#include <string>

#include "app/TrafficMonitor.h"
#include "support/FakeHost.h"

namespace quarn::app {
namespace {

TEST(TrafficMonitor, HiddenWindowDropsLinesVisibleWindowAppendsThem) {
    quarn::testing::FakeHost host;
    TrafficMonitor monitor(host);
    monitor.frameSent("01020000000103");
    EXPECT_TRUE(monitor.loaded());
    EXPECT_FALSE(monitor.visible());
    EXPECT_TRUE(monitor.sentFrames.text().empty());

    monitor.show();
    monitor.frameSent("01020000000103");
    monitor.frameSent("AB");
    monitor.frameReceived("CD");
    EXPECT_EQ(monitor.sentFrames.text(), "01020000000103\r\nAB\r\n");
    EXPECT_EQ(monitor.sentFrames.caretPosition(), 20U);
    EXPECT_EQ(monitor.receivedFrames.text(), "CD\r\n");

    monitor.hide();
    monitor.frameReceived("EF");
    EXPECT_EQ(monitor.receivedFrames.text(), "CD\r\n");

    // The contents go with the window.
    monitor.unload();
    EXPECT_TRUE(monitor.sentFrames.text().empty());
    EXPECT_TRUE(monitor.receivedFrames.text().empty());
}

TEST(TrafficMonitor, ReplayDifferenceShowsTheHiddenMonitorAndStaysInItsTitle) {
    quarn::testing::FakeHost host;
    TrafficMonitor monitor(host);
    monitor.replayDiffered("write 6 differs");
    EXPECT_TRUE(monitor.visible());
    EXPECT_EQ(monitor.sentFrames.text(), "Replay: write 6 differs\r\n");
    EXPECT_EQ(monitor.caption(), "Debug - Replay: write 6 differs");
}

TEST(TrafficMonitor, BoxIsEmptiedWholeWhenACompleteLinePassesTheLimit) {
    quarn::testing::FakeHost host;
    TrafficMonitor monitor(host);
    monitor.show();
    // 19990 characters of complete lines.
    std::string text;
    while (text.size() < 19990) {
        text += std::string(8, 'A') + "\r\n";
    }
    ASSERT_EQ(text.size(), 19990U);
    monitor.receivedFrames.setText(text);
    EXPECT_EQ(monitor.receivedFrames.text().size(), 19990U);
    EXPECT_EQ(monitor.receivedFrames.caretPosition(), 19990U);

    // A 14-character line plus CR LF brings it to 20006: emptied, line included.
    monitor.frameReceived("01020000000103");
    EXPECT_TRUE(monitor.receivedFrames.text().empty());
    EXPECT_EQ(monitor.receivedFrames.caretPosition(), 0U);
    monitor.frameReceived("NEXT");
    EXPECT_EQ(monitor.receivedFrames.text(), "NEXT\r\n");
}

TEST(TrafficMonitor, LimitCountsCharactersAndNeedsACompleteLine) {
    quarn::testing::FakeHost host;
    TrafficMonitor monitor(host);
    monitor.show();
    // A user's edit leaves 20001 characters without a line end: kept.
    monitor.sentFrames.setText(std::string(20001, 'x'));
    EXPECT_EQ(monitor.sentFrames.text().size(), 20001U);
    EXPECT_EQ(monitor.sentFrames.caretPosition(), 20001U);

    // 15000 two-byte characters are 30000 bytes but only 15002 characters.
    std::string accented;
    for (int i = 0; i < 15000; ++i) {
        accented += "\xC3\xA9";
    }
    monitor.receivedFrames.setText(accented);
    monitor.frameReceived("");
    EXPECT_EQ(monitor.receivedFrames.text().size(), 30002U);
    EXPECT_EQ(monitor.receivedFrames.caretPosition(), 15002U);
    // Exactly 20000 characters is still within the limit; one more is not.
    monitor.frameReceived(std::string(4996, 'y'));
    EXPECT_EQ(monitor.receivedFrames.caretPosition(), 20000U);
    monitor.frameReceived("");
    EXPECT_TRUE(monitor.receivedFrames.text().empty());
}

}  // namespace
}  // namespace quarn::app
