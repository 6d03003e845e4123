#pragma once
// What the conversation remembers about the six parameter lists: the index
// each list last received from the sensor's parameter reply, and whether the
// technician has the list dropped down without having clicked an item yet.
// Kept for the whole run; opening or closing the sensor window does not
// reset it.

#include <cstdint>

namespace quarn::sensor {

struct ParameterMemory {
    std::int16_t lastTresh = 0;
    std::int16_t lastTonRele = 0;
    std::int16_t lastVelSense = 0;
    std::int16_t lastFilterLine = 0;
    std::int16_t lastHighTraffic = 0;
    std::int16_t lastSelHeight = 0;

    bool editTresh = false;
    bool editTonRele = false;
    bool editVelSense = false;
    bool editFilterLine = false;
    bool editHighTraffic = false;
    bool editSelHeight = false;
};

}  // namespace quarn::sensor
