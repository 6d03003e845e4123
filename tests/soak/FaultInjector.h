#pragma once
// Random faults at random times: each fault starts, runs for a random while
// and is then taken back (the programmer plugged in again, the sensor put
// back, the line clean again). The four faults of the device behind the
// programmer never overlap, as only one thing can be done to it at a time.

#include <array>
#include <cstdint>
#include <optional>

#include "soak/SoakWorld.h"

namespace quarn::soak {

class FaultInjector {
  public:
    explicit FaultInjector(SoakWorld& world);

    // Starts a new fault when one is due and ends those whose time is up.
    void step();

  private:
    static constexpr std::size_t kKinds = static_cast<std::size_t>(Fault::Count);

    bool running(Fault fault) const { return endAt_[static_cast<std::size_t>(fault)].has_value(); }
    bool deviceFaultRunning() const;
    // Returns the fault's duration, 0 for a fault that is over at once, or
    // nothing when it cannot start now.
    std::optional<std::int64_t> start(Fault fault);
    void end(Fault fault);
    void forceOutOfRangeReplies();
    // A different sensor (serial, firmware, stored parameters) to plug in.
    sim::DeviceConfig anotherSensor();

    SoakWorld& w_;
    std::int64_t nextAt_;
    std::array<std::optional<std::int64_t>, kKinds> endAt_{};
    sim::Adapter* second_ = nullptr;
    int sensorsSwappedIn_ = 0;
};

}  // namespace quarn::soak
