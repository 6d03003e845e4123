#include "sensor/ParamsChanged.h"

namespace quarn::sensor {

namespace {

bool ListChanged(const quarn::ComboList& list, std::int16_t lastValue, bool editing) {
    return list.listIndex() != lastValue && !editing;
}

}  // namespace

bool ParamsChanged(const ParameterLists& lists, const ParameterMemory& params) {
    bool changed = false;
    changed |= ListChanged(lists.sensitivityList, params.LastTresh, params.EditTresh);
    changed |= ListChanged(lists.relayOnTimeList, params.LastTonRele, params.EditTonRele);
    changed |= ListChanged(lists.reactionSpeedList, params.LastVelSense, params.EditVelSense);
    changed |= ListChanged(lists.mainsFilterList, params.LastFilterLine, params.EditFilterLine);
    changed |= ListChanged(lists.highTrafficList, params.LastHighTraffic, params.EditHighTraffic);
    changed |=
        ListChanged(lists.installationHeightList, params.LastSelHeight, params.EditSelHeight);
    return changed;
}

}  // namespace quarn::sensor
