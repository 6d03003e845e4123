#pragma once
// The decoder of programmer-level replies, used while the start window is
// active: it checks each frame's checksum, shows the frames worth showing and
// takes the device identity from an identity reply.

#include <cstdint>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/TrafficObserver.h"

namespace quarn::link {

void decodeProgrammerReply(const FrameBytes& frame, std::int16_t length, DeviceIdentity& identity,
                           TrafficObserver& observer);

}  // namespace quarn::link
