#pragma once
// Shows a TextBox model as a read-only multi-line box with a vertical
// scroll bar, its caret kept where the model's caretPosition puts it. The model
// separates lines with CR LF; the view shows one line break for each pair.

#include <QPlainTextEdit>
#include <QString>

#include "platform/controls/TextBox.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class TextBoxView final : public ControlView<QPlainTextEdit, TextBox> {
  public:
    TextBoxView(TextBox& model, QWidget* parent);

    // Position in the shown text of the model's character position.
    static int displayPosition(const std::string& utf8Text, std::size_t characters);

  private:
    void sync() override;
    void syncText();

    QString shown_;
};

}  // namespace quarn::qt
