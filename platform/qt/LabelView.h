#pragma once
// Shows a Label model: caption, text colour, font, alignment; transparent
// unless the model asks for a fill, with an optional single border.

#include <QLabel>

#include "platform/controls/Label.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class LabelView final : public ControlView<QLabel, Label> {
  public:
    LabelView(Label& model, QWidget* parent);

  private:
    void sync() override;
};

}  // namespace quarn::qt
