#include "platform/qt/ControlPlacement.h"

#include <QWidget>

#include "platform/controls/Control.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

void applyControlState(QWidget& widget, const Control& control) {
    const QRect rect = twipsToPixels(control.geometry());
    if (widget.geometry() != rect) {
        widget.setGeometry(rect);
    }
    widget.setEnabled(control.enabled());
    // A child shown before its window is shown appears together with it.
    if (widget.isHidden() == control.visible()) {
        widget.setVisible(control.visible());
    }
}

}  // namespace quarn::qt
