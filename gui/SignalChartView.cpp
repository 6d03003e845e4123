#include "gui/SignalChartView.h"

#include <QPainter>

#include "gui/SignalChartPainter.h"
#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::gui {

SignalChartView::SignalChartView(workbench::SignalChart& model,
                                 const workbench::SignalHistory& history, QWidget* parent)
    : ControlView(model, parent), history_(history) {
    // Every pixel is painted: Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    sync();
}

void SignalChartView::sync() {
    applyControlState(*this, model_);
    update();
}

void SignalChartView::paintEvent(QPaintEvent* /*event*/) {
    const ChartTexts texts = chartTexts(model_.captions());
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    // The backdrop is painted again only when the size, span or texts change;
    // each sample repaints the trace alone over it.
    if (backdrop_.size() != pixels || backdrop_.devicePixelRatio() != ratio ||
        backdropSpanMs_ != model_.spanMs() || backdropTexts_ != texts) {
        backdrop_ = QPixmap(pixels);
        backdrop_.setDevicePixelRatio(ratio);
        QPainter backdropPainter(&backdrop_);
        backdropPainter.setFont(font());
        paintChartBackdrop(backdropPainter, QRectF(rect()), model_.spanMs(), texts);
        backdropTexts_ = texts;
        backdropSpanMs_ = model_.spanMs();
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, backdrop_);
    paintChartTrace(painter, QRectF(rect()), history_, model_.spanMs(), texts,
                    model_.frozenEndMs());
}

}  // namespace quarn::gui
