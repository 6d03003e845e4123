#pragma once
// The signal history window: the strip chart, Pause/Resume, Export CSV and
// the status line. Non-modal, placed where the system puts new windows; the
// export asks for the file with Qt's own file dialog.

#include <optional>
#include <string>

#include "platform/qt/FormWindow.h"
#include "workbench/SignalHistoryWindow.h"

namespace quarn::gui {

class SignalHistoryWindowView final : public qt::FormWindow {
  public:
    explicit SignalHistoryWindowView(workbench::SignalHistoryWindow& form);
    ~SignalHistoryWindowView() override;
    SignalHistoryWindowView(const SignalHistoryWindowView&) = delete;
    SignalHistoryWindowView& operator=(const SignalHistoryWindowView&) = delete;

    // Brings the shown window to the front.
    void raise();

  protected:
    void buildContent(QWidget& client) override;

  private:
    std::optional<std::string> askExportPath();

    workbench::SignalHistoryWindow& form_;
};

}  // namespace quarn::gui
