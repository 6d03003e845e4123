#pragma once
// The payload of the parameter write, built from the lists' selections.

#include <array>
#include <cstdint>

#include "sensor/ParameterLists.h"

namespace quarn::sensor {

// The tick's payload buffer: one byte array of 11 bytes.
using TickPayload = std::array<std::uint8_t, 11>;

// Fills payload[0..4] (and payload[5], the height, for firmware words from
// 0x0200 on) and returns the number of payload bytes: 5 or 6.
std::int16_t buildParamWrite(const ParameterLists& lists, std::int32_t fwVersion,
                             TickPayload& payload);

}  // namespace quarn::sensor
