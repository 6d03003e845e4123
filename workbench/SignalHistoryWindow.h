#pragma once
// The signal history window: the strip chart of the last two minutes, a
// Pause/Resume button, Export CSV and a status line. Non-modal; it may be
// opened, closed and opened again while the history keeps filling. Its
// texts are read from the string table each time it is opened and with
// each sample, so that they follow a change of language.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "app/ApplicationFiles.h"
#include "platform/controls/Captioned.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "texts/StringTable.h"
#include "workbench/SignalChart.h"
#include "workbench/SignalHistory.h"

namespace quarn::workbench {

class SignalHistoryWindow final : public quarn::Form {
  public:
    // The history and the texts must outlive the window.
    SignalHistoryWindow(SignalHistory& history, const texts::StringTableEntries& texts);
    ~SignalHistoryWindow() override;
    SignalHistoryWindow(const SignalHistoryWindow&) = delete;
    SignalHistoryWindow& operator=(const SignalHistoryWindow&) = delete;

    SignalChart chart{"signalChart"};
    quarn::Button pauseButton{"pauseButton"};
    quarn::Button exportButton{"exportButton"};
    quarn::Label statusLine{"statusLine"};

    const SignalHistory& history() const { return history_; }

    // Shows the window, loading it first when needed.
    void open();

    void onPauseResume();
    void onExport();

    // Asks the technician where to export to (a UTF-8 path); none when the
    // technician cancels. Set by the view.
    using ExportPathChooser = std::function<std::optional<std::string>()>;
    void setExportPathChooser(ExportPathChooser chooser) { chooser_ = std::move(chooser); }
    // The texts of that question.
    std::string exportDialogTitle() const;
    std::string csvFileFilter() const;

  protected:
    void onLoad() override;

  private:
    // The outcome of the last export, shown until the chart is paused or
    // resumed.
    struct ExportReport {
        std::string path;
        std::size_t sampleLines = 0;
        std::optional<app::ReplaceError> error;
    };

    void onSampleKept();
    void refreshTexts();
    std::string statusText() const;
    const std::string& text(texts::StringId id) const { return texts::textOf(texts_, id); }

    SignalHistory& history_;
    const texts::StringTableEntries& texts_;
    ExportPathChooser chooser_;
    std::optional<ExportReport> lastExport_;
};

// `pattern` with %1 and %2 replaced by the arguments.
std::string fillPlaceholders(const std::string& pattern, const std::string& first,
                             const std::string& second);

}  // namespace quarn::workbench
