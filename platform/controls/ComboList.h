#pragma once
// A selection-only drop-down list. As in the window toolkit the program was
// designed for, setting the selection from code raises Click just as a
// user's choice does; DropDown is raised when the list part is about to open.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/controls/Control.h"

namespace quarn {

class ComboList : public Control {
  public:
    using Control::Control;

    const std::vector<std::string>& items() const { return items_; }
    std::int16_t listCount() const { return static_cast<std::int16_t>(items_.size()); }
    void addItem(const std::string& text);
    void clear();

    // -1 when nothing is selected.
    std::int16_t listIndex() const { return listIndex_; }
    // Selects the item (or -1 for none) and raises Click. An index outside
    // the list is refused and changes nothing, as the toolkit refuses it.
    void setListIndex(std::int16_t index);

    // Raised by the view when the list part is about to open.
    void dropDown();
    // The user picked an item in the open list.
    void userSelect(std::int16_t index) { setListIndex(index); }

    void setClickHandler(std::function<void()> handler) { onClick_ = std::move(handler); }
    void setDropDownHandler(std::function<void()> handler) { onDropDown_ = std::move(handler); }

  private:
    std::vector<std::string> items_;
    std::int16_t listIndex_ = -1;
    std::function<void()> onClick_;
    std::function<void()> onDropDown_;
};

}  // namespace quarn
