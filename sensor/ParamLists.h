#pragma once
// The six parameter lists of the sensor window, in the order in which the
// parameters travel in the parameter reply and the parameter write.

#include "platform/controls/ComboList.h"

namespace quarn::sensor {

struct ParamLists {
    quarn::ComboList& TreshRadarZel;            // sensitivity, wire value index + 1
    quarn::ComboList& ValueTonReleZel;          // relay ON time, wire value index + 1
    quarn::ComboList& VelSenseRadarZel;         // reaction speed, wire value = index
    quarn::ComboList& FilterLineRadarZel;       // mains-noise filter, wire value = index
    quarn::ComboList& FlagHighTrafficRadarZel;  // high-traffic mode, wire value = index
    quarn::ComboList& SelHeightRadarZel;        // installation height, wire value = index
};

}  // namespace quarn::sensor
