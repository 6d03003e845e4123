#pragma once
// What every control model has: a name, a position in twips inside its
// container, visibility, the enabled state and a tooltip.

#include <cstdint>
#include <string>

#include "platform/controls/Observable.h"

namespace quarn {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace colors {
inline constexpr Rgb kGood{0, 128, 0};
inline constexpr Rgb kFault{192, 0, 0};
inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
}  // namespace colors

// Left, top, width, height in twips (15 twips per pixel at 96 dpi).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct FontSpec {
    std::string family = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline constexpr int kTwipsPerPixel = 15;

class Control : public Observable {
  public:
    explicit Control(std::string name) : name_(std::move(name)) {}

    const std::string& name() const { return name_; }

    const TwipsRect& geometry() const { return geometry_; }
    void setGeometry(const TwipsRect& rect) { set(geometry_, rect); }

    bool visible() const { return visible_; }
    void setVisible(bool visible) { set(visible_, visible); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { set(enabled_, enabled); }

    // Shown when the pointer rests on the control; empty shows none.
    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& text) { set(toolTip_, text); }

  protected:
    template <typename T>
    void set(T& field, const T& value) {
        if (!(field == value)) {
            field = value;
            notifyChanged();
        }
    }

  private:
    std::string name_;
    TwipsRect geometry_;
    bool visible_ = true;
    bool enabled_ = true;
    std::string toolTip_;
};

}  // namespace quarn
