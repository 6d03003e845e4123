#pragma once
// Helpers of the identity cycle: how many ticks lie between two cycles, and
// the status bar text that shows the sensor's identity.

#include <cstdint>
#include <string>

#include "link/DeviceIdentity.h"

namespace quarn::sensor {

// Ticks that pass between two identity cycles: 500 ms divided by the tick
// interval, truncating (5 at 100 ms). A tick interval of 0 or less cannot be
// divided by; it counts as the normal 100 ms interval, giving 5.
std::int16_t ticksBetweenIdentityCycles(int tickIntervalMs);

// "A123456789 - HW: 102 - FW: 200" for serial A123456789, hardware word
// 0x0102 and firmware word 0x0200.
std::string identityStatusText(const link::DeviceIdentity& identity);

// Cycles without an identity after which the panel says the sensor is
// missing, and after which the window closes itself.
inline constexpr std::int16_t kMissedCyclesForMissingText = 3;
inline constexpr std::int16_t kMissedCyclesForClose = 6;

}  // namespace quarn::sensor
