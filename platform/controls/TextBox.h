#pragma once
// A multi-line text box with a caret. Every change of the text raises the
// Change event, whether the program or the user made it.

#include <functional>
#include <string>

#include "platform/controls/Control.h"

namespace quarn {

class TextBox : public Control {
  public:
    using Control::Control;

    const std::string& text() const { return text_; }
    void setText(const std::string& text) {
        if (text_ == text) {
            return;
        }
        text_ = text;
        notifyChanged();
        if (onChange_) {
            auto handler = onChange_;
            handler();
        }
    }

    // Caret position in characters from the start.
    std::size_t caretPosition() const { return caretPosition_; }
    void setCaretPosition(std::size_t position) { set(caretPosition_, position); }

    void setChangeHandler(std::function<void()> handler) { onChange_ = std::move(handler); }

  private:
    std::string text_;
    std::size_t caretPosition_ = 0;
    std::function<void()> onChange_;
};

}  // namespace quarn
