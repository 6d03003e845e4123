#pragma once
// The programmer-level decoder: checks the checksum and fills the device
// identity from an identity reply.

#include <cstdint>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/TrafficObserver.h"

namespace quarn::link {

void decodeProgMsg(const MsgBytes& frame, std::int16_t length, DeviceIdentity& identity,
                   TrafficObserver& observer);

}  // namespace quarn::link
