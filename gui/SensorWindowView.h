#pragma once
// The sensor window: the signal column (heading, alarm LED, level bar, level
// and peak), the parameter frame (height text, detection-area picture and
// the six lists with their captions), the etched line under the menu and
// the status bar. Each opening builds a fresh window centred on the screen.

#include "platform/qt/FormWindow.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::gui {

class SensorWindowView final : public qt::FormWindow {
  public:
    explicit SensorWindowView(sensorwin::SensorWindow& form);

  protected:
    void buildContent(QWidget& client) override;
    std::vector<MenuItem*> menuItems() const override {
        return {&form_.exitMenu, &form_.toolsMenu};
    }

  private:
    void buildParameterFrame(QWidget& frame);

    sensorwin::SensorWindow& form_;
};

}  // namespace quarn::gui
