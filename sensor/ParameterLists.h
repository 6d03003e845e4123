#pragma once
// The six parameter lists of the sensor window, in the order in which the
// parameters travel in the parameter reply and the parameter write.

#include "platform/controls/ComboList.h"

namespace quarn::sensor {

struct ParameterLists {
    quarn::ComboList& sensitivityList;         // sensitivity, wire value index + 1
    quarn::ComboList& relayOnTimeList;         // relay ON time, wire value index + 1
    quarn::ComboList& reactionSpeedList;       // reaction speed, wire value = index
    quarn::ComboList& mainsFilterList;         // mains-noise filter, wire value = index
    quarn::ComboList& highTrafficList;         // high-traffic mode, wire value = index
    quarn::ComboList& installationHeightList;  // installation height, wire value = index
};

}  // namespace quarn::sensor
