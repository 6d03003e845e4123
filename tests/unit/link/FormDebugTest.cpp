#include <gtest/gtest.h>

#include <string>

#include "link/FormDebug.h"

namespace quarn::link {
namespace {

TEST(LogMonitor, HiddenWindowDropsLinesVisibleWindowAppendsThem) {
    FormDebug monitor;
    LogMonitor(monitor, kMonitorSend, "01020000000103");
    EXPECT_TRUE(monitor.loaded());
    EXPECT_FALSE(monitor.visible());
    EXPECT_TRUE(monitor.MonitorTx.text().empty());

    monitor.show();
    LogMonitor(monitor, kMonitorSend, "01020000000103");
    LogMonitor(monitor, -1, "AB");  // any non-zero side is the send box
    LogMonitor(monitor, kMonitorReceive, "CD");
    EXPECT_EQ(monitor.MonitorTx.text(), "01020000000103\r\nAB\r\n");
    EXPECT_EQ(monitor.MonitorTx.selStart(), 20U);
    EXPECT_EQ(monitor.MonitorRx.text(), "CD\r\n");

    monitor.hide();
    LogMonitor(monitor, kMonitorReceive, "EF");
    EXPECT_EQ(monitor.MonitorRx.text(), "CD\r\n");

    // The contents go with the window.
    monitor.unload();
    EXPECT_TRUE(monitor.MonitorTx.text().empty());
    EXPECT_TRUE(monitor.MonitorRx.text().empty());
}

TEST(LogMonitor, BoxIsEmptiedWholeWhenACompleteLinePassesTheLimit) {
    FormDebug monitor;
    monitor.show();
    // 19990 characters of complete lines.
    std::string text;
    while (text.size() < 19990) {
        text += std::string(8, 'A') + "\r\n";
    }
    ASSERT_EQ(text.size(), 19990U);
    monitor.MonitorRx.setText(text);
    EXPECT_EQ(monitor.MonitorRx.text().size(), 19990U);
    EXPECT_EQ(monitor.MonitorRx.selStart(), 19990U);

    // A 14-character line plus CR LF brings it to 20006: emptied, line included.
    LogMonitor(monitor, kMonitorReceive, "01020000000103");
    EXPECT_TRUE(monitor.MonitorRx.text().empty());
    EXPECT_EQ(monitor.MonitorRx.selStart(), 0U);
    LogMonitor(monitor, kMonitorReceive, "NEXT");
    EXPECT_EQ(monitor.MonitorRx.text(), "NEXT\r\n");
}

TEST(LogMonitor, LimitCountsCharactersAndNeedsACompleteLine) {
    FormDebug monitor;
    monitor.show();
    // A user's edit leaves 20001 characters without a line end: kept.
    monitor.MonitorTx.setText(std::string(20001, 'x'));
    EXPECT_EQ(monitor.MonitorTx.text().size(), 20001U);
    EXPECT_EQ(monitor.MonitorTx.selStart(), 20001U);

    // 15000 two-byte characters are 30000 bytes but only 15002 characters.
    std::string accented;
    for (int i = 0; i < 15000; ++i) {
        accented += "\xC3\xA9";
    }
    monitor.MonitorRx.setText(accented);
    LogMonitor(monitor, kMonitorReceive, "");
    EXPECT_EQ(monitor.MonitorRx.text().size(), 30002U);
    EXPECT_EQ(monitor.MonitorRx.selStart(), 15002U);
    // Exactly 20000 characters is still within the limit; one more is not.
    LogMonitor(monitor, kMonitorReceive, std::string(4996, 'y'));
    EXPECT_EQ(monitor.MonitorRx.selStart(), 20000U);
    LogMonitor(monitor, kMonitorReceive, "");
    EXPECT_TRUE(monitor.MonitorRx.text().empty());
}

}  // namespace
}  // namespace quarn::link
