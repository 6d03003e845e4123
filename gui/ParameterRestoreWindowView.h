#pragma once
// The restore window: a parameter file beside the sensor, parameter by
// parameter, with Apply (Alt+A in both languages) and Close; Escape closes it.
// Placed at the centre of the screen, above the sensor window.

#include "platform/qt/FormWindow.h"
#include "workbench/ParameterRestoreWindow.h"

namespace quarn::gui {

class ParameterRestoreWindowView final : public qt::FormWindow {
  public:
    explicit ParameterRestoreWindowView(workbench::ParameterRestoreWindow& form);

  protected:
    void buildContent(QWidget& client) override;
    void windowBuilt(qt::FormWidget& window) override;

  private:
    workbench::ParameterRestoreWindow& form_;
};

}  // namespace quarn::gui
