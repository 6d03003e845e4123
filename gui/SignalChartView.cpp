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
    QPainter painter(this);
    paintSignalChart(painter, QRectF(rect()), history_, model_.spanMs(),
                     chartTexts(model_.captions()), model_.frozenEndMs());
}

}  // namespace quarn::gui
