#include "platform/qt/FrameView.h"

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

FrameView::FrameView(Frame& model, QWidget* parent) : ControlView(model, parent) {
    sync();
}

void FrameView::sync() {
    applyControlState(*this, model_);
    setTitle(toQString(model_.caption()));
}

}  // namespace quarn::qt
