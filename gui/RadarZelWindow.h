#pragma once
// The sensor window: the signal column (heading, alarm LED, level bar, level
// and peak), the parameter frame (height text, detection-area picture and
// the six lists with their captions), the etched line under the menu and
// the status bar. Each opening builds a fresh window centred on the screen.

#include "platform/qt/FormWindow.h"
#include "sensorwin/FormRadarZel.h"

namespace quarn::qt {

class RadarZelWindow final : public FormWindow {
  public:
    explicit RadarZelWindow(sensorwin::FormRadarZel& form);

  protected:
    void buildContent(QWidget& client) override;
    std::vector<MenuItem*> menuItems() const override { return {&form_.MenuFileExit}; }

  private:
    void buildParameterFrame(QWidget& frame);

    sensorwin::FormRadarZel& form_;
};

}  // namespace quarn::qt
