#pragma once
// Shows a Slider model as a vertical level bar with its scale: major ticks
// with their values, minor ticks between them. A value above the scale's
// maximum fills the whole bar; a negative one leaves it empty.

#include <QWidget>

#include "platform/controls/Indicators.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class SliderView final : public ControlView<QWidget, Slider> {
  public:
    SliderView(Slider& model, QWidget* parent);

    // Share of the bar that the value fills, 0 to 1.
    static double filledFraction(std::int32_t value, std::int32_t maximum);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sync() override;
};

}  // namespace quarn::qt
