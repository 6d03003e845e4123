#include "platform/qt/ButtonView.h"

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

ButtonView::ButtonView(Button& model, QWidget* parent)
    : QPushButton(parent), model_(model), observation_(model, [this] { sync(); }) {
    setObjectName(toQString(model.name()));
    connect(this, &QPushButton::clicked, this, [this] { model_.click(); });
    sync();
}

void ButtonView::sync() {
    applyControlState(*this, model_);
    setText(toQString(model_.caption()));
}

}  // namespace quarn::qt
