#include "sensor/ParamsChanged.h"

namespace quarn::sensor {

namespace {

bool ListChanged(const quarn::ComboList& list, std::int16_t lastValue, bool editing) {
    return list.listIndex() != lastValue && !editing;
}

}  // namespace

bool ParamsChanged(const ParamLists& lists, const SensorParams& params) {
    bool changed = false;
    changed |= ListChanged(lists.TreshRadarZel, params.LastTresh, params.EditTresh);
    changed |= ListChanged(lists.ValueTonReleZel, params.LastTonRele, params.EditTonRele);
    changed |= ListChanged(lists.VelSenseRadarZel, params.LastVelSense, params.EditVelSense);
    changed |= ListChanged(lists.FilterLineRadarZel, params.LastFilterLine, params.EditFilterLine);
    changed |=
        ListChanged(lists.FlagHighTrafficRadarZel, params.LastHighTraffic, params.EditHighTraffic);
    changed |= ListChanged(lists.SelHeightRadarZel, params.LastSelHeight, params.EditSelHeight);
    return changed;
}

}  // namespace quarn::sensor
