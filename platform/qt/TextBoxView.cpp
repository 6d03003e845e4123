#include "platform/qt/TextBoxView.h"

#include <QScrollBar>
#include <QTextCursor>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

TextBoxView::TextBoxView(TextBox& model, QWidget* parent) : ControlView(model, parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    // Hex lines have no spaces: wrap them anywhere rather than overflow.
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setUndoRedoEnabled(false);
    sync();
}

int TextBoxView::displayPosition(const std::string& utf8Text, std::size_t characters) {
    // Walk the UTF-8 text character by character up to the caret.
    std::size_t offset = 0;
    std::size_t counted = 0;
    while (offset < utf8Text.size() && counted < characters) {
        const auto lead = static_cast<unsigned char>(utf8Text[offset]);
        std::size_t length = 1;
        if (lead >= 0xF0) {
            length = 4;
        } else if (lead >= 0xE0) {
            length = 3;
        } else if (lead >= 0xC0) {
            length = 2;
        }
        offset = std::min(offset + length, utf8Text.size());
        ++counted;
    }
    return static_cast<int>(toDisplayText(utf8Text.substr(0, offset)).size());
}

void TextBoxView::sync() {
    applyControlState(*this, model_);
    syncText();
    QTextCursor cursor = textCursor();
    const int position = std::min(displayPosition(model_.text(), model_.caretPosition()),
                                  static_cast<int>(shown_.size()));
    if (cursor.position() != position) {
        cursor.setPosition(position);
        setTextCursor(cursor);
        ensureCursorVisible();
    }
}

void TextBoxView::syncText() {
    const QString wanted = toDisplayText(model_.text());
    if (wanted == shown_) {
        return;
    }
    if (!shown_.isEmpty() && wanted.startsWith(shown_)) {
        // A line was added: append it instead of laying out the whole box again.
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.insertText(wanted.mid(shown_.size()));
    } else {
        setPlainText(wanted);
    }
    shown_ = wanted;
}

}  // namespace quarn::qt
