#include "platform/qt/SliderView.h"

#include <qdrawutil.h>
#include <QPainter>
#include <algorithm>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

namespace {
constexpr int kMargin = 6;  // room above and below for the end labels
constexpr int kBarWidth = 16;
constexpr int kMajorTick = 6;
constexpr int kMinorTick = 3;
}  // namespace

SliderView::SliderView(Slider& model, QWidget* parent) : ControlView(model, parent) {
    QFont scaleFont = font();
    scaleFont.setPointSizeF(6.75);
    setFont(scaleFont);
    sync();
}

double SliderView::filledFraction(std::int32_t value, std::int32_t maximum) {
    if (maximum <= 0 || value <= 0) {
        return 0.0;
    }
    if (value >= maximum) {
        return 1.0;
    }
    return static_cast<double>(value) / maximum;
}

void SliderView::sync() {
    applyControlState(*this, model_);
    update();
}

void SliderView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const int top = kMargin;
    const int bottom = height() - kMargin;
    const int span = bottom - top;
    if (span <= 0) {
        return;
    }
    const QRect bar(width() - kBarWidth - 4, top, kBarWidth, span);
    const int tickRight = bar.left() - 2;
    const std::int32_t maximum = model_.maximum();

    auto yOf = [&](std::int64_t value) {
        return bottom - static_cast<int>(static_cast<std::int64_t>(span) * value / maximum);
    };

    painter.setPen(palette().color(QPalette::WindowText));
    if (maximum > 0) {
        const std::int32_t minor = model_.minorTick();
        const std::int32_t major = model_.majorTick();
        if (minor > 0) {
            for (std::int64_t v = 0; v <= maximum; v += minor) {
                const int y = yOf(v);
                painter.drawLine(tickRight - kMinorTick, y, tickRight, y);
            }
        }
        if (major > 0) {
            const QFontMetrics metrics(font());
            for (std::int64_t v = 0; v <= maximum; v += major) {
                const int y = yOf(v);
                painter.drawLine(tickRight - kMajorTick, y, tickRight, y);
                const QRect textBox(0, y - metrics.height() / 2, tickRight - kMajorTick - 2,
                                    metrics.height());
                painter.drawText(textBox, Qt::AlignRight | Qt::AlignVCenter, QString::number(v));
            }
        }
    }

    qDrawShadePanel(&painter, bar.adjusted(-2, -2, 2, 2), palette(), true, 2,
                    &palette().brush(QPalette::Base));
    const double fraction = filledFraction(model_.value(), maximum);
    const int filled = static_cast<int>(span * fraction + 0.5);
    if (filled > 0) {
        painter.fillRect(QRect(bar.left(), bottom - filled, bar.width(), filled),
                         QColor(0, 128, 255));
    }
}

}  // namespace quarn::qt
