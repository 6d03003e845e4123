#include "sensor/ParameterChangeCheck.h"

namespace quarn::sensor {

bool parametersChanged(const ParameterLists& lists, const ParameterMemory& memory) {
    bool changed = false;
    for (const ParameterRow& row : kParameterTable) {
        const ListMemory& remembered = memory[row.parameter];
        changed |=
            lists[row.parameter].listIndex() != remembered.lastReported && !remembered.beingEdited;
    }
    return changed;
}

}  // namespace quarn::sensor
