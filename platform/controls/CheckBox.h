#pragma once
// A check box: a caption and a checked state the user toggles. The model
// that owns it reads the state when it needs it.

#include "platform/controls/Captioned.h"

namespace quarn {

class CheckBox : public CaptionedControl {
  public:
    using CaptionedControl::CaptionedControl;

    bool checked() const { return checked_; }
    void setChecked(bool checked) { set(checked_, checked); }

    // Raised by the view when the user ticks or clears the box; a disabled
    // box ignores it.
    void toggle() {
        if (enabled()) {
            setChecked(!checked_);
        }
    }

  private:
    bool checked_ = false;
};

}  // namespace quarn
