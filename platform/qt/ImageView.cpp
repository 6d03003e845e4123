#include "platform/qt/ImageView.h"

#include <QPainter>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

ImageView::ImageView(ImageControl& model, ArtworkSource artwork, QWidget* parent)
    : ControlView(model, parent), artwork_(std::move(artwork)) {
    // A decoration: clicks go to whatever lies beneath.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    sync();
}

void ImageView::sync() {
    if (image_.isNull() || shownResource_ != model_.resource()) {
        shownResource_ = model_.resource();
        image_ = artwork_ ? artwork_(shownResource_) : QImage();
    }
    applyControlState(*this, model_);
    const TwipsRect& g = model_.geometry();
    if (g.width <= 0 || g.height <= 0) {
        resize(image_.deviceIndependentSize().toSize());
    }
    update();
}

void ImageView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

}  // namespace quarn::qt
