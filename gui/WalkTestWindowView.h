#pragma once
// The walk test window: the alarm field across the top, the level and the
// held peak as large figures, the level bar across the whole width, and a
// row with the full-screen button and the tone check box. Everything grows
// with the window. F11 toggles full screen, Escape leaves it; the window
// follows the model's full-screen state and tells the model when the window
// system changes it.

#include <memory>

#include "platform/qt/FormWindow.h"
#include "platform/qt/ModelObservation.h"
#include "workbench/WalkTestWindow.h"

namespace quarn::gui {

class WalkTestWindowView final : public qt::FormWindow {
  public:
    explicit WalkTestWindowView(workbench::WalkTestWindow& form);
    ~WalkTestWindowView() override;

  protected:
    void buildContent(QWidget& client) override;
    void windowBuilt(qt::FormWidget& window) override;

  private:
    void applyFullScreen();

    workbench::WalkTestWindow& form_;
    std::unique_ptr<qt::ModelObservation> fullScreenObservation_;
};

}  // namespace quarn::gui
