#pragma once
// The change log window: the change log's lines, newest last, kept up to
// date while the window is open, and a Close button. Non-modal; the lines
// are put in words whenever they are shown, in the language of the moment.

#include <string>

#include "platform/HostServices.h"
#include "platform/controls/Captioned.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"
#include "sensor/SessionState.h"
#include "workbench/ChangeLog.h"

namespace quarn::workbench {

class ChangeLogWindow final : public quarn::Form {
  public:
    // Every argument must outlive the window.
    ChangeLogWindow(ChangeLog& log, const sensor::SessionState& session,
                    const quarn::HostServices& host);
    ~ChangeLogWindow() override;
    ChangeLogWindow(const ChangeLogWindow&) = delete;
    ChangeLogWindow& operator=(const ChangeLogWindow&) = delete;

    quarn::TextBox logLines{"logLines"};  // one line per entry, CR LF between them
    quarn::Button closeButton{"closeButton"};

    void onClose();

  protected:
    void onLoad() override;

  private:
    void showLines();

    ChangeLog& log_;
    const sensor::SessionState& session_;
    const quarn::HostServices& host_;
    int logObservation_ = 0;
};

}  // namespace quarn::workbench
