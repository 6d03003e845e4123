#pragma once
// Shows a Button model as a push button and raises its Click, from the
// mouse, from Space, or from Return or Enter while it has the focus.

#include <QPushButton>

#include "platform/controls/Captioned.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class ButtonView final : public ControlView<QPushButton, Button> {
  public:
    ButtonView(Button& model, QWidget* parent);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void sync() override;
};

}  // namespace quarn::qt
