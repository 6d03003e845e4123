#include "platform/controls/ComboList.h"

namespace quarn {

void ComboList::addItem(const std::string& text) {
    items_.push_back(text);
    notifyChanged();
}

void ComboList::clear() {
    items_.clear();
    listIndex_ = -1;
    notifyChanged();
}

void ComboList::setListIndex(std::int16_t index) {
    if (index < -1 || index >= listCount()) {
        return;
    }
    if (listIndex_ != index) {
        listIndex_ = index;
        notifyChanged();
    }
    if (onClick_) {
        auto handler = onClick_;
        handler();
    }
}

void ComboList::dropDown() {
    if (onDropDown_) {
        auto handler = onDropDown_;
        handler();
    }
}

}  // namespace quarn
