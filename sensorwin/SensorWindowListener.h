#pragma once
// What happens in the sensor window, told to the tools that keep a record of
// it (signal history, change log) whether their own windows are shown or
// not. Every call comes after the window has done its own part, so the
// lists and the parameter memory already show the event's result.

#include <cstdint>

#include "sensor/SensorReplies.h"

namespace quarn::sensorwin {

class SensorWindowListener {
  public:
    virtual ~SensorWindowListener() = default;

    // The window has loaded (its lists hold their load items) or unloaded.
    virtual void sensorWindowOpened() {}
    virtual void sensorWindowClosed() {}
    // A live signal sample reached the signal column.
    virtual void signalShown(const sensor::SignalSample& /*sample*/) {}
    // The signal column shows this held peak: a new peak, the hold running
    // out, or the fresh column of an opening window (0).
    virtual void peakShown(std::int32_t /*peak*/) {}
    // A parameter reply reached the lists; when it was not whole the lists
    // from its first missing index on kept their state.
    virtual void parametersShown(const sensor::ParameterReply& /*reply*/) {}
    // A parameter write has left; the lists hold the values written and the
    // parameter memory the values the sensor last reported.
    virtual void parameterWriteSent() {}
    // The sensor acknowledged a parameter write.
    virtual void parameterWriteAcknowledged() {}
};

}  // namespace quarn::sensorwin
