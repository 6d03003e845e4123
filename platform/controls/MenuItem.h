#pragma once
// A menu command or a menu with items. The caption may carry an '&' before
// the access key, as window menus do.

#include <functional>
#include <vector>

#include "platform/controls/Control.h"

namespace quarn {

class MenuItem : public Control {
  public:
    using Control::Control;

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption) { set(caption_, caption); }

    // Sub-items of a top-level menu, in display order (not owned).
    const std::vector<MenuItem*>& items() const { return items_; }
    void addItem(MenuItem* item) { items_.push_back(item); }

    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    // Raised by the view when the user chooses the command.
    void click() {
        if (onClick_ && enabled()) {
            auto handler = onClick_;
            handler();
        }
    }

  private:
    std::string caption_;
    std::vector<MenuItem*> items_;
    std::function<void()> onClick_;
};

}  // namespace quarn
