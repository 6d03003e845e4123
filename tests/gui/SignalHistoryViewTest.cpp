// The signal history window on screen: a paused chart does not move while
// samples keep coming, and moves on again once resumed.

#include <gtest/gtest.h>

#include "GuiTestSupport.h"
#include "gui/SignalHistoryWindowView.h"
#include "platform/VirtualClock.h"
#include "support/FakeHost.h"
#include "workbench/SignalHistory.h"
#include "workbench/SignalHistoryWindow.h"

namespace quarn::gui {
namespace {

class SignalHistoryViewTest : public ::testing::Test {
  protected:
    SignalHistoryViewTest() {
        history.sensorWindowOpened();
        window.open();
        guitest::settle();
    }
    void samples(int count, std::int32_t level, bool alarm) {
        for (int i = 0; i < count; ++i) {
            history.signalShown(sensor::SignalSample{2, level, alarm});
            clock.advance(50);
        }
        guitest::settle();
    }
    QWidget& chart() { return *view.widget()->findChild<QWidget*>(QStringLiteral("signalChart")); }

    VirtualClock clock;
    testing::FakeHost host;
    texts::StringTableEntries texts;
    workbench::SignalHistory history{clock, host, [] { return 0; }};
    workbench::SignalHistoryWindow window{history, texts};
    SignalHistoryWindowView view{window};
};

TEST_F(SignalHistoryViewTest, PausedChartStandsStillWhileSamplesKeepComing) {
    samples(100, 3000, false);
    const QImage moving = guitest::snapshot(chart());
    samples(40, 15000, true);
    const QImage moved = guitest::snapshot(chart());
    EXPECT_NE(moving, moved);

    window.pauseButton.click();
    guitest::settle();
    const QImage paused = guitest::snapshot(chart());
    samples(100, 9000, true);
    EXPECT_EQ(guitest::snapshot(chart()), paused);

    window.pauseButton.click();
    guitest::settle();
    EXPECT_NE(guitest::snapshot(chart()), paused);
}

}  // namespace
}  // namespace quarn::gui
