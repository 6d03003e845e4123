#include "platform/controls/Form.h"

namespace quarn {

void Form::setCaption(const std::string& caption) {
    if (caption_ != caption) {
        caption_ = caption;
        notifyChanged();
    }
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    clientWidth_ = widthTwips;
    clientHeight_ = heightTwips;
    notifyChanged();
}

void Form::setOuterWidth(int widthTwips) {
    if (outerWidth_ != widthTwips) {
        outerWidth_ = widthTwips;
        notifyChanged();
    }
}

void Form::load() {
    if (loaded_ || loading_) {
        return;
    }
    loading_ = true;
    loaded_ = true;
    notifyChanged();
    onLoad();
    loading_ = false;
}

void Form::show() {
    load();
    if (!loaded_) {
        return;  // onLoad unloaded the form again
    }
    if (!visible_ || modal_) {
        visible_ = true;
        modal_ = false;
        notifyChanged();
    }
}

void Form::showModal() {
    load();
    if (!loaded_) {
        return;
    }
    if (!visible_ || !modal_) {
        visible_ = true;
        modal_ = true;
        notifyChanged();
    }
}

void Form::hide() {
    if (visible_) {
        visible_ = false;
        notifyChanged();
    }
}

void Form::unload() {
    if (!loaded_ || unloading_) {
        return;
    }
    unloading_ = true;
    onUnload();
    unloading_ = false;
    loaded_ = false;
    visible_ = false;
    modal_ = false;
    notifyChanged();
}

}  // namespace quarn
