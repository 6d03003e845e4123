#pragma once
// Shows a Led model as a square lamp in a sunken bezel: the on colour when
// lit, the off colour otherwise.

#include <QWidget>

#include "platform/controls/Indicators.h"
#include "platform/qt/ModelObservation.h"

namespace quarn::qt {

class LedView : public QWidget {
  public:
    LedView(Led& model, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync();

    Led& model_;
    ModelObservation observation_;
};

}  // namespace quarn::qt
