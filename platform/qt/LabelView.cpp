#include "platform/qt/LabelView.h"

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

LabelView::LabelView(Label& model, QWidget* parent) : ControlView(model, parent) {
    setTextFormat(Qt::PlainText);
    // A window label wraps its caption at word boundaries inside its box.
    setWordWrap(true);
    setMargin(0);
    sync();
}

void LabelView::sync() {
    applyControlState(*this, model_);
    setText(toDisplayText(model_.caption()));
    setFont(toQFont(model_.font()));

    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, toQColor(model_.foreColor()));
    pal.setColor(QPalette::Window, toQColor(model_.backColor()));
    setPalette(pal);
    setAutoFillBackground(!model_.transparent());

    if (model_.bordered()) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);
    } else {
        setFrameStyle(QFrame::NoFrame);
    }
    const Qt::Alignment horizontal =
        model_.alignment() == Alignment::Center ? Qt::AlignHCenter : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
}

}  // namespace quarn::qt
