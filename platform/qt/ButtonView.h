#pragma once
// Shows a Button model as a push button and raises its Click.

#include <QPushButton>

#include "platform/controls/PictureBox.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class ButtonView : public QPushButton {
  public:
    ButtonView(Button& model, QWidget* parent);

  private:
    void sync();

    Button& model_;
    ModelObservation observation_;
};

}  // namespace quarn::qt
