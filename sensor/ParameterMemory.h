#pragma once
// What the conversation remembers about the six parameter lists: the index
// each list last received from the sensor's parameter reply, and whether the
// technician has the list dropped down without having clicked an item yet.
// Kept for the whole run; opening or closing the sensor window does not
// reset it.

#include <cstdint>

namespace quarn::sensor {

struct ParameterMemory {
    std::int16_t LastTresh = 0;
    std::int16_t LastTonRele = 0;
    std::int16_t LastVelSense = 0;
    std::int16_t LastFilterLine = 0;
    std::int16_t LastHighTraffic = 0;
    std::int16_t LastSelHeight = 0;

    bool EditTresh = false;
    bool EditTonRele = false;
    bool EditVelSense = false;
    bool EditFilterLine = false;
    bool EditHighTraffic = false;
    bool EditSelHeight = false;
};

}  // namespace quarn::sensor
