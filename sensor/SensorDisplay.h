#pragma once
// What the reply decoder hands to the sensor window: parameter replies and
// live signal samples.

#include "link/Commands.h"

namespace quarn::sensor {

class SensorDisplay {
  public:
    virtual ~SensorDisplay() = default;

    // Applies a parameter reply to the lists. Returns false when the reply
    // was not taken whole (a value out of range, or the height could not be
    // judged); the lists it did not accept keep their state, and the reply
    // must not count as the answer to the pending read.
    virtual bool showParameters(const link::MsgBytes& frame) = 0;

    // Shows one live signal sample.
    virtual void showSignal(const link::MsgBytes& frame) = 0;
};

}  // namespace quarn::sensor
