#include "workbench/SignalHistoryWindow.h"

#include "workbench/HistoryCsv.h"

namespace quarn::workbench {

namespace {

constexpr int kClientWidth = 10800;
constexpr int kClientHeight = 6000;
constexpr int kMargin = 120;
constexpr int kButtonTop = 5100;
constexpr int kButtonHeight = 375;
constexpr int kPauseWidth = 1500;
constexpr int kExportWidth = 1800;
constexpr int kStatusTop = 5580;
constexpr int kStatusHeight = 300;

}  // namespace

std::string fillPlaceholders(const std::string& pattern, const std::string& first,
                             const std::string& second) {
    std::string text;
    text.reserve(pattern.size() + first.size() + second.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() &&
            (pattern[i + 1] == '1' || pattern[i + 1] == '2')) {
            text += pattern[i + 1] == '1' ? first : second;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

SignalHistoryWindow::SignalHistoryWindow(SignalHistory& history,
                                         const texts::StringTableEntries& texts)
    : Form("SignalHistoryWindow"), history_(history), texts_(texts) {
    setClientSize(kClientWidth, kClientHeight);
    chart.setGeometry({kMargin, kMargin, kClientWidth - 2 * kMargin, kButtonTop - 2 * kMargin});
    pauseButton.setGeometry({kMargin, kButtonTop, kPauseWidth, kButtonHeight});
    exportButton.setGeometry(
        {kMargin + kPauseWidth + kMargin, kButtonTop, kExportWidth, kButtonHeight});
    statusLine.setGeometry({kMargin, kStatusTop, kClientWidth - 2 * kMargin, kStatusHeight});
    pauseButton.setClickHandler([this] { onPauseResume(); });
    exportButton.setClickHandler([this] { onExport(); });
    history_.setSampleHandler([this] { onSampleKept(); });
}

SignalHistoryWindow::~SignalHistoryWindow() {
    history_.setSampleHandler({});
}

void SignalHistoryWindow::open() {
    show();
    refreshTexts();
}

void SignalHistoryWindow::onLoad() {
    refreshTexts();
}

void SignalHistoryWindow::onSampleKept() {
    if (!visible()) {
        return;  // nothing to draw; the history keeps the sample all the same
    }
    refreshTexts();
    chart.sampleKept(history_.newest().clockMs);
}

void SignalHistoryWindow::onPauseResume() {
    if (chart.paused()) {
        chart.resume();
    } else {
        // The chart stops at its newest sample, or now when it has none.
        chart.pause(history_.empty() ? history_.clockNowMs() : history_.newest().clockMs);
    }
    lastExport_.reset();
    refreshTexts();
}

void SignalHistoryWindow::onExport() {
    if (!chooser_) {
        return;
    }
    const std::optional<std::string> path = chooser_();
    if (!path || path->empty()) {
        return;
    }
    const CsvExportResult result = exportHistoryCsv(history_, *path);
    lastExport_ = ExportReport{*path, result.sampleLines, result.error};
    refreshTexts();
}

std::string SignalHistoryWindow::exportDialogTitle() const {
    return text(texts::StringId::HistoryExportDialogTitle);
}

std::string SignalHistoryWindow::csvFileFilter() const {
    return text(texts::StringId::HistoryCsvFilter);
}

void SignalHistoryWindow::refreshTexts() {
    using texts::StringId;
    setCaption(text(StringId::SignalHistoryTitle));
    pauseButton.setCaption(
        text(chart.paused() ? StringId::HistoryResumeButton : StringId::HistoryPauseButton));
    exportButton.setCaption(text(StringId::HistoryExportButton));
    chart.setCaptions(chartCaptions(texts_));
    const bool failed = lastExport_ && lastExport_->error;
    statusLine.setForeColor(failed ? colors::kFault : colors::kBlack);
    statusLine.setCaption(statusText());
}

std::string SignalHistoryWindow::statusText() const {
    using texts::StringId;
    if (!lastExport_) {
        return text(chart.paused() ? StringId::HistoryPaused : StringId::HistoryRunning);
    }
    if (!lastExport_->error) {
        return fillPlaceholders(text(StringId::HistoryExportDone),
                                std::to_string(lastExport_->sampleLines), lastExport_->path);
    }
    const app::ReplaceError& error = *lastExport_->error;
    const StringId pattern = error.failure == app::ReplaceFailure::NotWritten
                                 ? StringId::HistoryExportNotWritten
                                 : StringId::HistoryExportNotReplaced;
    const std::string reason = error.cause ? error.cause.message() : std::string("?");
    return fillPlaceholders(text(pattern), lastExport_->path, reason);
}

ChartCaptions chartCaptions(const texts::StringTableEntries& strings) {
    return {texts::textOf(strings, texts::StringId::HistoryTimeAxis),
            texts::textOf(strings, texts::StringId::HistoryLevelAxis),
            texts::textOf(strings, texts::StringId::HistoryPeakMarker)};
}

}  // namespace quarn::workbench
