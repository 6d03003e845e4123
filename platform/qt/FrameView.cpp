#include "platform/qt/FrameView.h"

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

FrameView::FrameView(Frame& model, QWidget* parent)
    : QGroupBox(parent), model_(model), observation_(model, [this] { sync(); }) {
    setObjectName(toQString(model.name()));
    sync();
}

void FrameView::sync() {
    applyControlState(*this, model_);
    setTitle(toQString(model_.caption()));
}

}  // namespace quarn::qt
