#pragma once
// Shows a Led model as a square lamp in a sunken bezel: the on colour when
// lit, the off colour otherwise.

#include <QWidget>

#include "platform/controls/Indicators.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class LedView final : public ControlView<QWidget, Led> {
  public:
    LedView(Led& model, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;
};

}  // namespace quarn::qt
