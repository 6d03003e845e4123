#pragma once
// A menu command or a menu with items. The caption may carry an '&' before
// the access key, as window menus do.

#include <vector>

#include "platform/controls/Captioned.h"

namespace quarn {

class MenuItem : public ClickableControl {
  public:
    using ClickableControl::ClickableControl;

    // Sub-items of a top-level menu, in display order (not owned).
    const std::vector<MenuItem*>& items() const { return items_; }
    void addItem(MenuItem* item) { items_.push_back(item); }

  private:
    std::vector<MenuItem*> items_;
};

}  // namespace quarn
