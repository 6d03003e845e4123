#pragma once
// The flags and counters that tie the sensor's answers to the requests of
// the polling tick. The tick reads them to decide what to send; the reply
// decoder sets and clears them. Kept for the whole run.

#include <cstdint>

#include "link/DeviceIdentity.h"

namespace quarn::sensor {

struct ConversationState {
    bool readParametersPending = false;   // ask for the parameters on the next tick
    bool streamStartPending = false;      // ask for the live signal on the next tick
    std::int16_t ticksSinceIdentity = 0;  // ticks since the last identity cycle
    std::int16_t missedIdentities = 0;    // consecutive identity cycles without the sensor
    // The sensor whose parameter reply the lists show. When the identity
    // cycle finds another one behind the programmer (swapped within a cycle,
    // so the window stayed open), the lists are read again before any write.
    link::DeviceIdentity listsReportedBy;
};

}  // namespace quarn::sensor
