// The signal history window's model: pausing freezes the chart while the
// history keeps filling, the export reports its outcome in the status line,
// and the texts follow the language.

#include <gtest/gtest.h>

#include <string>

#include "support/TempDir.h"
#include "unit/workbench/HistoryRig.h"
#include "workbench/SignalHistoryWindow.h"

namespace quarn::workbench {
namespace {

using texts::StringId;

class SignalHistoryWindowTest : public ::testing::Test {
  protected:
    SignalHistoryWindowTest() {
        setText(StringId::SignalHistoryTitle, "Signal history");
        setText(StringId::HistoryPauseButton, "&Pause");
        setText(StringId::HistoryResumeButton, "&Resume");
        setText(StringId::HistoryRunning, "Following");
        setText(StringId::HistoryPaused, "Paused");
        setText(StringId::HistoryTimeAxis, "Time (s)");
        setText(StringId::HistoryExportDone, "%1 samples exported to %2");
        setText(StringId::HistoryExportNotWritten, "Export failed: %1 not written (%2)");
        chart.observe([this] { ++chartChanges; });
        rig.history.sensorWindowOpened();
    }
    void setText(StringId id, const std::string& text) {
        table[static_cast<std::size_t>(id)] = text;
    }

    testing::HistoryRig rig;
    texts::StringTableEntries table;
    SignalHistoryWindow window{rig.history, table};
    SignalChart& chart = window.chart;
    int chartChanges = 0;
    testing::TempDir dir;
};

TEST_F(SignalHistoryWindowTest, PauseFreezesTheChartWhileTheHistoryKeepsFilling) {
    rig.sample(100);  // while the window is not shown: kept, not drawn
    EXPECT_EQ(chartChanges, 0);
    window.open();
    EXPECT_EQ(window.caption(), "Signal history");
    EXPECT_EQ(window.pauseButton.caption(), "&Pause");
    EXPECT_EQ(window.statusLine.caption(), "Following");
    chartChanges = 0;

    // Redrawn with the first sample, then every kChartRedrawMs of samples.
    const int redrawSpan =
        static_cast<int>(2 * kChartRedrawMs / testing::HistoryRig::kSamplePeriodMs) + 1;
    for (int i = 0; i < redrawSpan; ++i) {
        rig.sample(200 + i);
    }
    EXPECT_EQ(chartChanges, 3);
    EXPECT_FALSE(chart.frozenEndMs());

    const std::int64_t lastShown = rig.history.newest().clockMs;
    window.pauseButton.click();
    ASSERT_TRUE(chart.paused());
    EXPECT_EQ(chart.frozenEndMs(), lastShown);
    EXPECT_EQ(window.pauseButton.caption(), "&Resume");
    EXPECT_EQ(window.statusLine.caption(), "Paused");
    const int changesAtPause = chartChanges;
    for (int i = 0; i < 40; ++i) {
        rig.sample(400 + i);
    }
    EXPECT_EQ(chartChanges, changesAtPause);
    EXPECT_EQ(chart.frozenEndMs(), lastShown);
    EXPECT_EQ(rig.history.size(), static_cast<std::size_t>(1 + redrawSpan + 40));

    window.pauseButton.click();
    EXPECT_FALSE(chart.paused());
    rig.sample(500);
    EXPECT_GT(chartChanges, changesAtPause);
    EXPECT_EQ(window.pauseButton.caption(), "&Pause");
}

TEST_F(SignalHistoryWindowTest, ExportShowsThePathAndCountOrTheFailureInRed) {
    window.open();
    rig.sample(10);
    rig.sample(20, true);
    std::optional<std::string> answer;
    int asked = 0;
    window.setExportPathChooser([&] {
        ++asked;
        return answer;
    });

    window.exportButton.click();  // cancelled: nothing written, nothing said
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window.statusLine.caption(), "Following");

    answer = dir.file("h.csv").string();
    window.exportButton.click();
    EXPECT_EQ(window.statusLine.caption(), "2 samples exported to " + *answer);
    EXPECT_EQ(window.statusLine.foreColor(), colors::kBlack);
    EXPECT_TRUE(dir.exists("h.csv"));

    answer = dir.file("missing/h.csv").string();
    window.exportButton.click();
    const std::string failed = window.statusLine.caption();
    EXPECT_EQ(failed.rfind("Export failed: " + *answer + " not written (", 0), 0U) << failed;
    EXPECT_EQ(window.statusLine.foreColor(), colors::kFault);
}

TEST_F(SignalHistoryWindowTest, TextsFollowALanguageChangeWhileShown) {
    window.open();
    setText(StringId::SignalHistoryTitle, "Storico del segnale");
    setText(StringId::HistoryTimeAxis, "Tempo (s)");
    rig.sample(10);
    EXPECT_EQ(window.caption(), "Storico del segnale");
    EXPECT_EQ(chart.captions().timeAxis, "Tempo (s)");

    // Closed and opened again: the texts are read afresh.
    window.unload();
    setText(StringId::SignalHistoryTitle, "Signal history");
    window.open();
    EXPECT_EQ(window.caption(), "Signal history");
}

}  // namespace
}  // namespace quarn::workbench
