#pragma once
// The change log window: its lines in a read-only box that follows the
// newest line, and Close. Non-modal, so the technician can keep it beside
// the sensor window while changing parameters; Escape closes it.

#include "platform/qt/FormWindow.h"
#include "workbench/ChangeLogWindow.h"

namespace quarn::gui {

class ChangeLogWindowView final : public qt::FormWindow {
  public:
    explicit ChangeLogWindowView(workbench::ChangeLogWindow& form);

  protected:
    void buildContent(QWidget& client) override;
    void windowBuilt(qt::FormWidget& window) override;

  private:
    workbench::ChangeLogWindow& form_;
};

}  // namespace quarn::gui
