#pragma once
// The programmer of the demo: a simulated USB bus in real time with one
// adapter described "QuarnProg" and, unless asked otherwise, a Zel sensor
// behind it.

#include "platform/D2xxDriver.h"
#include "platform/SteadyClock.h"
#include "sim/SimulatedBus.h"

namespace quarn::gui {

class DemoBus {
  public:
    explicit DemoBus(bool withSensor = true);

    D2xxDriver& driver() { return bus_; }
    sim::SimulatedBus& bus() { return bus_; }

  private:
    SteadyClock clock_;
    sim::SimulatedBus bus_{clock_};
};

}  // namespace quarn::gui
