#include "platform/qt/StatusBarView.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>

#include "platform/qt/QtConversions.h"

namespace quarn::qt {

StatusBarView::StatusBarView(StatusBar& model, QWidget* parent)
    : ControlView(model, parent), layout_(new QHBoxLayout(this)) {
    layout_->setContentsMargins(1, 2, 1, 1);
    layout_->setSpacing(2);
    if (parent != nullptr) {
        parent->installEventFilter(this);
    }
    sync();
}

QLabel* StatusBarView::panel(const std::string& key) const {
    auto it = panels_.find(key);
    return it == panels_.end() ? nullptr : it->second;
}

bool StatusBarView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize) {
        dock();
    }
    return QWidget::eventFilter(watched, event);
}

void StatusBarView::dock() {
    const int barHeight = twipsToPixels(model_.geometry().height);
    if (parentWidget() != nullptr) {
        const QWidget& window = *parentWidget();
        setGeometry(0, window.height() - barHeight, window.width(), barHeight);
    } else {
        setGeometry(twipsToPixels(model_.geometry()));
    }
}

void StatusBarView::sync() {
    dock();
    setEnabled(model_.enabled());
    if (isHidden() == model_.visible()) {
        setVisible(model_.visible());
    }
    for (const auto& [key, text] : model_.panels()) {
        QLabel*& label = panels_[key];
        if (label == nullptr) {
            label = new QLabel(this);
            label->setObjectName(toQString(key));
            label->setTextFormat(Qt::PlainText);
            label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            label->setIndent(3);
            layout_->addWidget(label, 1);
        }
        label->setText(toQString(text));
    }
}

}  // namespace quarn::qt
