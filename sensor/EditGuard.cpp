#include "sensor/EditGuard.h"

namespace quarn::sensor {

void EditGuard::connect(const ParameterLists& lists) {
    for (const ParameterRow& row : kParameterTable) {
        const Parameter parameter = row.parameter;
        lists[parameter].setDropDownHandler([this, parameter] { onListDroppedDown(parameter); });
        lists[parameter].setClickHandler([this, parameter] { onListClicked(parameter); });
    }
}

}  // namespace quarn::sensor
