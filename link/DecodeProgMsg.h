#pragma once
// The programmer-level decoder: checks the checksum and fills the device
// identity from an identity reply.

#include <cstdint>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/FormDebug.h"
#include "platform/HostServices.h"

namespace quarn::link {

void DecodeProgMsg(const MsgBytes& frame, std::int16_t L, DeviceIdentity& identity,
                   FormDebug& monitor, const HostServices& host);

// The monitor line for a frame that failed its checksum.
std::string ChecksumErrorLine(const std::string& hexText, const HostServices& host);

}  // namespace quarn::link
