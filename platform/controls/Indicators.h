#pragma once
// The instrument controls of the sensor window: an LED and a vertical
// slider used as a level bar, plus a status bar with keyed text panels.

#include <cstdint>
#include <map>
#include <string>

#include "platform/controls/Control.h"

namespace quarn {

class Led : public Control {
  public:
    using Control::Control;

    bool on() const { return on_; }
    void setOn(bool on) { set(on_, on); }

    Rgb onColor() const { return onColor_; }
    Rgb offColor() const { return offColor_; }
    void setColors(Rgb onColor, Rgb offColor) {
        onColor_ = onColor;
        offColor_ = offColor;
        notifyChanged();
    }

  private:
    bool on_ = false;
    Rgb onColor_{255, 0, 0};
    Rgb offColor_{192, 192, 192};
};

class Slider : public Control {
  public:
    using Control::Control;

    // The value is stored as given, even above the scale's maximum.
    std::int32_t value() const { return value_; }
    void setValue(std::int32_t value) { set(value_, value); }

    std::int32_t maximum() const { return maximum_; }
    std::int32_t majorTick() const { return majorTick_; }
    std::int32_t minorTick() const { return minorTick_; }
    void setScale(std::int32_t maximum, std::int32_t majorTick, std::int32_t minorTick) {
        maximum_ = maximum;
        majorTick_ = majorTick;
        minorTick_ = minorTick;
        notifyChanged();
    }

  private:
    std::int32_t value_ = 0;
    std::int32_t maximum_ = 20000;
    std::int32_t majorTick_ = 5000;
    std::int32_t minorTick_ = 2500;
};

class StatusBar : public Control {
  public:
    using Control::Control;

    void addPanel(const std::string& key) {
        panels_.emplace(key, std::string());
        notifyChanged();
    }
    bool hasPanel(const std::string& key) const { return panels_.count(key) != 0; }
    std::string panelText(const std::string& key) const {
        auto it = panels_.find(key);
        return it == panels_.end() ? std::string() : it->second;
    }
    // Writing a panel that does not exist changes nothing.
    void setPanelText(const std::string& key, const std::string& text) {
        auto it = panels_.find(key);
        if (it != panels_.end() && it->second != text) {
            it->second = text;
            notifyChanged();
        }
    }
    const std::map<std::string, std::string>& panels() const { return panels_; }

  private:
    std::map<std::string, std::string> panels_;
};

}  // namespace quarn
