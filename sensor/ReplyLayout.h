#pragma once
// The shortest frame that holds the whole layout of a sensor reply. A frame
// shorter than that would have its missing positions read from whatever an
// earlier frame left in the receive buffer, so it is not decoded.

#include <cstdint>

#include "link/Commands.h"

namespace quarn::sensor {

// Frame length (markers and checksum included) needed by the command's
// layout; 0 for commands whose payload is not read.
std::int16_t minimumReplyLength(link::Command command, std::int32_t fwVersion);

}  // namespace quarn::sensor
