#pragma once
// Shows a Label model: caption, text colour, font, alignment; transparent
// unless the model asks for a fill, with an optional single border.

#include <QLabel>

#include "platform/controls/Label.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class LabelView : public QLabel {
  public:
    LabelView(Label& model, QWidget* parent);

  private:
    void sync();

    Label& model_;
    ModelObservation observation_;
};

}  // namespace quarn::qt
