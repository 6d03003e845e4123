#pragma once
// A technician at the keyboard, acting at random times through the same
// model calls a user's clicks make: drops a parameter list down and, a
// moment later, clicks an item or closes it without a click; picks an item
// straight away; opens and closes the About window; switches the language;
// shows and hides the traffic monitor.

#include <cstdint>

#include "platform/controls/ComboList.h"
#include "soak/SoakWorld.h"

namespace quarn::soak {

class Technician {
  public:
    explicit Technician(SoakWorld& world);

    void step();

  private:
    void act();
    void finishOpenList();
    void pick(std::size_t list);
    ComboList& list(std::size_t index);

    SoakWorld& w_;
    std::int64_t nextAt_;
    // A list held dropped down, to be clicked or closed at closeAt_.
    std::optional<std::size_t> openList_;
    std::int64_t closeAt_ = 0;
    bool willClick_ = false;
    std::optional<std::int64_t> aboutCloseAt_;
};

}  // namespace quarn::soak
