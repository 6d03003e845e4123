#include "platform/qt/LedView.h"

#include <qdrawutil.h>
#include <QLinearGradient>
#include <QPainter>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

LedView::LedView(Led& model, QWidget* parent) : ControlView(model, parent) {
    sync();
}

void LedView::sync() {
    applyControlState(*this, model_);
    update();
}

void LedView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect outer = rect();
    qDrawShadePanel(&painter, outer, palette(), true, 2);

    const QRect lamp = outer.adjusted(3, 3, -3, -3);
    if (lamp.isEmpty()) {
        return;
    }
    const QColor base = toQColor(model_.on() ? model_.onColor() : model_.offColor());
    // A soft highlight on the upper half gives the lamp some depth.
    QLinearGradient shading(lamp.topLeft(), lamp.bottomLeft());
    shading.setColorAt(0.0, base.lighter(135));
    shading.setColorAt(0.5, base);
    shading.setColorAt(1.0, base.darker(115));
    painter.fillRect(lamp, shading);
    painter.setPen(base.darker(160));
    painter.drawRect(lamp.adjusted(0, 0, -1, -1));
}

}  // namespace quarn::qt
