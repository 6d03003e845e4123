#pragma once
// One soak seed: a whole application with the sensor window against the
// simulated programmer and sensor, on the virtual clock, for a number of
// virtual hours, with random faults and technician actions and the
// invariants checked after every timer tick.

#include <cstdint>
#include <string>

#include "soak/SoakFigures.h"

namespace quarn::soak {

// directory must hold the string table; the settings file is written there.
SoakFigures RunSeed(const std::string& directory, std::uint32_t seed, double virtualHours);

}  // namespace quarn::soak
