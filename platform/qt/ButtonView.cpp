#include "platform/qt/ButtonView.h"

#include <QKeyEvent>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

ButtonView::ButtonView(Button& model, QWidget* parent) : ControlView(model, parent) {
    connect(this, &QPushButton::clicked, this, [this] { model_.click(); });
    sync();
}

void ButtonView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        // A focused button is pressed by Return as by Space; outside a
        // dialog Qt leaves Return to the window.
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void ButtonView::sync() {
    applyControlState(*this, model_);
    setText(toQString(model_.caption()));
}

}  // namespace quarn::qt
