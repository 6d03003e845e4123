#pragma once
// The drivers quarnsoft-cli can run on: the hardware backend chosen by
// --driver, or the built-in simulator (one "QuarnProg" adapter with a Zel
// sensor behind it) on the program's own clock.

#include <memory>
#include <string>

#include "drivers/backend/DriverChoice.h"
#include "drivers/backend/HardwareBackend.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"
#include "platform/Timers.h"
#include "sim/SimulatedBus.h"

namespace quarn::cli {

class MachineDrivers {
  public:
    // The clock must outlive the drivers.
    explicit MachineDrivers(const Clock& clock) : clock_(clock) {}

    // The driver for the choice, or null with the reason in `problem` when
    // no backend can be used. Asked once.
    D2xxDriver* driverFor(backend::DriverChoice choice, std::string& problem);

  private:
    const Clock& clock_;
    SilentLog log_;
    std::unique_ptr<backend::HardwareBackend> hardware_;
    std::unique_ptr<sim::SimulatedBus> simulator_;
};

}  // namespace quarn::cli
