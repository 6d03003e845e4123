#include "platform/qt/ComboListView.h"

#include <QPointer>
#include <QSignalBlocker>

#include "platform/qt/ControlPlacement.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

ComboListView::ComboListView(ComboList& model, QWidget* parent) : ControlView(model, parent) {
    setEditable(false);
    connect(this, &QComboBox::activated, this,
            [this](int index) { model_.userSelect(static_cast<std::int16_t>(index)); });
    sync();
}

void ComboListView::showPopup() {
    // The DropDown handler may unload the whole window; only open the list
    // when this view is still there afterwards.
    QPointer<ComboListView> alive(this);
    model_.dropDown();
    if (alive && isVisible()) {
        QComboBox::showPopup();
    }
}

void ComboListView::sync() {
    applyControlState(*this, model_);
    // Changes from the model never count as the user's choice.
    const QSignalBlocker blocker(this);
    if (shownItems_ != model_.items()) {
        clear();
        for (const auto& item : model_.items()) {
            addItem(toQString(item));
        }
        shownItems_ = model_.items();
    }
    if (currentIndex() != model_.listIndex()) {
        setCurrentIndex(model_.listIndex());
    }
}

}  // namespace quarn::qt
