#include "sensor/ParameterWrite.h"

namespace quarn::sensor {

std::int16_t buildParameterWrite(const ParameterLists& lists, std::int32_t firmwareVersion,
                                 TickPayload& payload) {
    std::int16_t count = 0;
    for (const ParameterRow& row : kParameterTable) {
        if (!carriedBy(row, firmwareVersion)) {
            break;  // the rows a sensor carries come first
        }
        // The lists always hold a selection once the window has loaded.
        payload[static_cast<std::size_t>(count)] = wireByte(row, lists[row.parameter].listIndex());
        ++count;
    }
    return count;
}

}  // namespace quarn::sensor
