#pragma once
// What the reply decoder hands to the sensor window: parameter replies and
// live signal samples, read into records.

#include "sensor/SensorReplies.h"

namespace quarn::sensor {

class SensorDisplay {
  public:
    virtual ~SensorDisplay() = default;

    // Applies a parameter reply to the lists, in table order, up to the first
    // parameter without an index; that list and all after it keep their
    // state.
    virtual void showParameters(const ParameterReply& reply) = 0;

    // Shows one live signal sample.
    virtual void showSignal(const SignalSample& sample) = 0;

    // The sensor has acknowledged a parameter write.
    virtual void writeAcknowledged() {}
};

}  // namespace quarn::sensor
