#pragma once
// The one USB bus the stand-in shows in this process: the simulated bus
// attached by the test, a chip for each adapter it has listed, the settings
// a test made before the chip was first seen, and the counts of contexts and
// handles still open. A C library interface carries no context of its own,
// so this is a process-wide singleton; the stand-in has no threads.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "sim/SimulatedBus.h"
#include "sim/usbstand/EmulatedChip.h"

namespace quarn::usbstand {

class StandInWorld {
  public:
    static StandInWorld& instance();

    void attach(sim::SimulatedBus* bus);
    sim::SimulatedBus* bus() const { return bus_; }

    // Lists the bus again. An adapter seen for the first time gets the next
    // place on the USB bus, one plugged in again a new address; every chip
    // learns whether it is plugged in now.
    // Returns the chips on the bus, in the bus's order.
    std::vector<std::shared_ptr<EmulatedChip>> refresh();
    // The chip of that serial, made on first mention (without a place until
    // the bus lists it); null while no bus is attached.
    std::shared_ptr<EmulatedChip> chip(const std::string& serial);
    // The chip of that serial if it exists.
    std::shared_ptr<EmulatedChip> findChip(const std::string& serial) const;

    int initFailure = 0;
    int liveContexts = 0;
    int openHandles = 0;

  private:
    int nextAddress();
    UsbPlace nextPlace();

    sim::SimulatedBus* bus_ = nullptr;
    std::map<std::string, std::shared_ptr<EmulatedChip>> chips_;
    int placesGiven_ = 0;
    int addressesGiven_ = 0;
};

}  // namespace quarn::usbstand
