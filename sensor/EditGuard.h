#pragma once
// The editing guard: while the technician has a parameter list dropped down,
// changes of its selection are not written to the sensor. Dropping a list
// down raises its edit flag, clicking an item (or the program setting the
// selection) lowers it again.

#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"

namespace quarn::sensor {

class EditGuard {
  public:
    explicit EditGuard(ParameterMemory& memory) : memory_(memory) {}

    // Routes every list's DropDown and Click events to the handlers below.
    void connect(const ParameterLists& lists);

    void onListDroppedDown(Parameter parameter) { memory_[parameter].beingEdited = true; }
    void onListClicked(Parameter parameter) { memory_[parameter].beingEdited = false; }

  private:
    ParameterMemory& memory_;
};

}  // namespace quarn::sensor
