#pragma once
// The six parameter lists of the sensor window as bare controls, named as
// the window names them, with the lists' view the sensor layer works on.

#include "platform/controls/ComboList.h"
#include "sensor/ParameterLists.h"

namespace quarn::testing {

struct ParameterListSet {
    ComboList sensitivity{"sensitivityList"};
    ComboList relayOnTime{"relayOnTimeList"};
    ComboList reactionSpeed{"reactionSpeedList"};
    ComboList mainsFilter{"mainsFilterList"};
    ComboList highTraffic{"highTrafficList"};
    ComboList height{"installationHeightList"};
    sensor::ParameterLists lists{
        {&sensitivity, &relayOnTime, &reactionSpeed, &mainsFilter, &highTraffic, &height}};
};

}  // namespace quarn::testing
