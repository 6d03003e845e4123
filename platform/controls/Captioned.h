#pragma once
// Controls that carry a caption (a frame, a button, a menu item) and those
// of them the user can click. A caption may hold an '&' before the access
// key, as window captions do.

#include <functional>
#include <string>

#include "platform/controls/Control.h"

namespace quarn {

class CaptionedControl : public Control {
  public:
    using Control::Control;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption); }

  private:
    std::string caption_;
};

class ClickableControl : public CaptionedControl {
  public:
    using CaptionedControl::CaptionedControl;

    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    // Raised by the view when the user chooses the control; a disabled
    // control ignores it. The handler may replace itself while it runs.
    void click() {
        if (onClick_ && enabled()) {
            auto handler = onClick_;
            handler();
        }
    }

  private:
    std::function<void()> onClick_;
};

// A push button.
class Button : public ClickableControl {
  public:
    using ClickableControl::ClickableControl;
};

// A frame: a captioned group box that contains other controls.
class Frame : public CaptionedControl {
  public:
    using CaptionedControl::CaptionedControl;
};

}  // namespace quarn
