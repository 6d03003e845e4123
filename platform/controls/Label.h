#pragma once
// A label: caption, text colour, font, alignment; transparent by default so
// that a picture behind it shows through.

#include "platform/controls/Control.h"

namespace quarn {

enum class Alignment { Left, Center };

class Label : public Control {
  public:
    using Control::Control;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption); }

    Rgb foreColor() const { return foreColor_; }
    void setForeColor(Rgb color) { set(foreColor_, color); }

    Rgb backColor() const { return backColor_; }
    void setBackColor(Rgb color) { set(backColor_, color); }

    bool transparent() const { return transparent_; }
    void setTransparent(bool transparent) { set(transparent_, transparent); }

    bool bordered() const { return bordered_; }
    void setBordered(bool bordered) { set(bordered_, bordered); }

    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& font) { set(font_, font); }

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment) { set(alignment_, alignment); }

  private:
    std::string caption_;
    Rgb foreColor_ = colors::kBlack;
    Rgb backColor_ = colors::kWhite;
    bool transparent_ = true;
    bool bordered_ = false;
    FontSpec font_;
    Alignment alignment_ = Alignment::Left;
};

}  // namespace quarn
