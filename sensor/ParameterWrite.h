#pragma once
// The payload of the parameter write, built from the lists' selections.

#include <array>
#include <cstdint>

#include "sensor/ParameterLists.h"

namespace quarn::sensor {

// The tick's payload buffer: one byte array of 11 bytes.
using TickPayload = std::array<std::uint8_t, 11>;

// Writes, in table order, the wire byte of every parameter the sensor's
// firmware carries and returns how many it wrote: 5 below firmware word
// 0x0200, 6 (the height included) from it on.
std::int16_t buildParameterWrite(const ParameterLists& lists, std::int32_t firmwareVersion,
                                 TickPayload& payload);

}  // namespace quarn::sensor
