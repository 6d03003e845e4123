#include "gui/WalkTestControlViews.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

#include "platform/qt/QtConversions.h"
#include "platform/qt/SliderView.h"

namespace quarn::gui {

namespace {

constexpr int kSmallestType = 8;       // pixels
constexpr int kBarMargin = 8;          // pixels around the bar
constexpr Rgb kBarColor{0, 128, 255};  // as the sensor window's bar

void mirrorVisibilityAndState(QWidget& widget, const Control& control) {
    widget.setEnabled(control.enabled());
    if (widget.isHidden() == control.visible()) {
        widget.setVisible(control.visible());
    }
}

}  // namespace

// --- ScaledLabelView -----------------------------------------------------------

ScaledLabelView::ScaledLabelView(Label& model, double heightShare, QWidget* parent)
    : ControlView(model, parent), heightShare_(heightShare) {
    setTextFormat(Qt::PlainText);
    setMargin(0);
    setMinimumSize(1, 1);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    sync();
}

int ScaledLabelView::fittingPixelSize(const QString& text, const QFont& font, QSize box,
                                      double heightShare) {
    int size = static_cast<int>(box.height() * heightShare);
    if (!text.isEmpty() && size > kSmallestType) {
        QFont probe = font;
        probe.setPixelSize(size);
        const int textWidth = QFontMetrics(probe).horizontalAdvance(text);
        const int room = box.width() * 95 / 100;  // a little air at the edges
        if (textWidth > room) {
            size = static_cast<int>(static_cast<long long>(size) * room / textWidth);
        }
    }
    return std::max(size, kSmallestType);
}

void ScaledLabelView::sync() {
    mirrorVisibilityAndState(*this, model_);
    setText(qt::toDisplayText(model_.caption()));
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, qt::toQColor(model_.foreColor()));
    pal.setColor(QPalette::Window, qt::toQColor(model_.backColor()));
    setPalette(pal);
    setAutoFillBackground(!model_.transparent());
    const Qt::Alignment horizontal =
        model_.alignment() == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
    fitType();
}

void ScaledLabelView::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fitType();
}

void ScaledLabelView::fitType() {
    QFont type = font();
    type.setBold(true);
    type.setPixelSize(fittingPixelSize(text(), type, size(), heightShare_));
    if (type != font()) {
        setFont(type);
    }
}

// --- WideLevelBarView ------------------------------------------------------------

WideLevelBarView::WideLevelBarView(Slider& model, QWidget* parent) : ControlView(model, parent) {
    setMinimumHeight(40);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    sync();
}

void WideLevelBarView::sync() {
    mirrorVisibilityAndState(*this, model_);
    update();
}

void WideLevelBarView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QFont scaleFont = font();
    scaleFont.setPixelSize(std::clamp(height() / 6, 10, 28));
    painter.setFont(scaleFont);
    const QFontMetrics metrics(scaleFont);
    const int scaleHeight = metrics.height() + 8;

    const QRect bar =
        rect().adjusted(kBarMargin, kBarMargin, -kBarMargin, -(kBarMargin + scaleHeight));
    if (bar.width() <= 0 || bar.height() <= 0) {
        return;
    }
    painter.fillRect(bar, palette().color(QPalette::Base));
    const double fraction = qt::SliderView::filledFraction(model_.value(), model_.maximum());
    const int filled = static_cast<int>(std::lround(bar.width() * fraction));
    if (filled > 0) {
        painter.fillRect(QRect(bar.left(), bar.top(), filled, bar.height()),
                         qt::toQColor(kBarColor));
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(bar.adjusted(0, 0, -1, -1));

    // The scale below the bar: a tick and its value at each major step.
    const std::int32_t maximum = model_.maximum();
    const std::int32_t major = model_.majorTick();
    if (maximum <= 0 || major <= 0) {
        return;
    }
    for (std::int64_t v = 0; v <= maximum; v += major) {
        const int x = bar.left() + static_cast<int>(bar.width() * v / maximum);
        painter.drawLine(x, bar.bottom(), x, bar.bottom() + 6);
        const QString value = QString::number(v);
        const int width = metrics.horizontalAdvance(value);
        const int left = std::clamp(x - width / 2, 0, std::max(0, this->width() - width));
        painter.drawText(QRect(left, bar.bottom() + 6, width, metrics.height()), Qt::AlignCenter,
                         value);
    }
}

// --- Buttons and check boxes -------------------------------------------------------

LaidOutButtonView::LaidOutButtonView(Button& model, QWidget* parent) : ControlView(model, parent) {
    connect(this, &QPushButton::clicked, this, [this] { model_.click(); });
    sync();
}

void LaidOutButtonView::sync() {
    mirrorVisibilityAndState(*this, model_);
    setText(qt::toQString(model_.caption()));
}

LaidOutCheckBoxView::LaidOutCheckBoxView(CheckBox& model, QWidget* parent)
    : ControlView(model, parent) {
    // The model owns the state: a click asks it to toggle, and sync shows
    // what it decided.
    connect(this, &QCheckBox::clicked, this, [this] {
        model_.toggle();
        sync();
    });
    sync();
}

void LaidOutCheckBoxView::sync() {
    mirrorVisibilityAndState(*this, model_);
    setText(qt::toQString(model_.caption()));
    setChecked(model_.checked());
}

}  // namespace quarn::gui
