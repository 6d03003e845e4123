#include "sensor/ParamsChanged.h"

namespace quarn::sensor {

namespace {

bool listChanged(const quarn::ComboList& list, std::int16_t lastValue, bool editing) {
    return list.listIndex() != lastValue && !editing;
}

}  // namespace

bool paramsChanged(const ParameterLists& lists, const ParameterMemory& params) {
    bool changed = false;
    changed |= listChanged(lists.sensitivityList, params.lastTresh, params.editTresh);
    changed |= listChanged(lists.relayOnTimeList, params.lastTonRele, params.editTonRele);
    changed |= listChanged(lists.reactionSpeedList, params.lastVelSense, params.editVelSense);
    changed |= listChanged(lists.mainsFilterList, params.lastFilterLine, params.editFilterLine);
    changed |= listChanged(lists.highTrafficList, params.lastHighTraffic, params.editHighTraffic);
    changed |=
        listChanged(lists.installationHeightList, params.lastSelHeight, params.editSelHeight);
    return changed;
}

}  // namespace quarn::sensor
