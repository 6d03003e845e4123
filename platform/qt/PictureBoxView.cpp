#include "platform/qt/PictureBoxView.h"

#include <qdrawutil.h>
#include <QPainter>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

PictureBoxView::PictureBoxView(PictureBox& model, std::vector<OvalShape*> shapes, QWidget* parent)
    : ControlView(model, parent), shapes_(std::move(shapes)) {
    for (OvalShape* shape : shapes_) {
        shapeObservations_.push_back(
            std::make_unique<ModelObservation>(*shape, [this] { update(); }));
    }
    sync();
}

void PictureBoxView::sync() {
    applyControlState(*this, model_);
    update();
}

QImage PictureBoxView::compose(QSize innerSize, qreal devicePixelRatio) const {
    QImage image(innerSize * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(toQColor(model_.backColor()));
    if (innerSize.isEmpty()) {
        return image;
    }

    // Without a user scale the drawing units are twips, as in a fresh picture box.
    const qreal unitsWide =
        model_.scaleWidth() > 0 ? model_.scaleWidth() : innerSize.width() * kTwipsPerPixel;
    const qreal unitsHigh =
        model_.scaleHeight() > 0 ? model_.scaleHeight() : innerSize.height() * kTwipsPerPixel;
    const qreal sx = innerSize.width() / unitsWide;
    const qreal sy = innerSize.height() / unitsHigh;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const PictureLine& line : model_.lines()) {
        QPen pen(toQColor(line.color));
        pen.setWidth(1);
        painter.setPen(pen);
        painter.drawLine(QPointF(line.x1 * sx, line.y1 * sy), QPointF(line.x2 * sx, line.y2 * sy));
    }

    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    for (const OvalShape* shape : shapes_) {
        if (!shape->visible()) {
            continue;
        }
        const UserBox& box = shape->box();
        const QRectF area(box.left * sx, box.top * sy, box.width * sx, box.height * sy);
        if (area.isEmpty()) {
            continue;
        }
        QPen outline(toQColor(shape->outlineColor()));
        outline.setWidth(std::max(1, shape->outlineWidthPixels()));
        painter.setPen(outline);
        painter.setBrush(toQColor(shape->fillColor()));
        // Keep the outline inside the box, as the shape draws it.
        const qreal inset = outline.widthF() / 2.0;
        painter.drawEllipse(area.adjusted(inset, inset, -inset, -inset));
    }
    return image;
}

void PictureBoxView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    qDrawShadePanel(&painter, rect(), palette(), true, kBorder);
    const QRect inner = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    if (inner.isEmpty()) {
        return;
    }
    painter.drawImage(inner.topLeft(), compose(inner.size(), devicePixelRatioF()));
}

}  // namespace quarn::qt
