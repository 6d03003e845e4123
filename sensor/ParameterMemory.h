#pragma once
// What the conversation remembers about each parameter list: the index the
// list last received from the sensor's parameter reply, and whether the
// technician has the list dropped down without having clicked an item yet.
// Kept for the whole run; opening or closing the sensor window does not
// reset it.

#include <array>
#include <cstdint>

#include "sensor/ParameterTable.h"

namespace quarn::sensor {

struct ListMemory {
    std::int16_t lastReported = 0;
    bool beingEdited = false;
};

class ParameterMemory {
  public:
    ListMemory& operator[](Parameter parameter) { return lists_[indexOf(parameter)]; }
    const ListMemory& operator[](Parameter parameter) const { return lists_[indexOf(parameter)]; }

  private:
    std::array<ListMemory, kParameterCount> lists_{};
};

}  // namespace quarn::sensor
