#pragma once
// One row of the restore window for each row of the parameter table, its
// labels named after the table's row: "sensitivityCaption",
// "sensitivitySensorValue", "sensitivityFileValue", "sensitivityState".

#include <array>
#include <string>
#include <utility>

#include "platform/controls/Label.h"
#include "sensor/ParameterTable.h"

namespace quarn::workbench {

struct RestoreRow {
    explicit RestoreRow(const sensor::ParameterRow& row)
        : caption(std::string(row.name) + "Caption"),
          sensorValue(std::string(row.name) + "SensorValue"),
          fileValue(std::string(row.name) + "FileValue"),
          state(std::string(row.name) + "State") {}

    quarn::Label caption;
    quarn::Label sensorValue;
    quarn::Label fileValue;
    quarn::Label state;  // differs, not applicable, not in file; empty when the same
};

using RestoreRows = std::array<RestoreRow, sensor::kParameterCount>;

namespace detail {
template <std::size_t... Row>
RestoreRows makeRestoreRows(std::index_sequence<Row...> /*rows*/) {
    return {RestoreRow(sensor::kParameterTable[Row])...};
}
}  // namespace detail

inline RestoreRows makeRestoreRows() {
    return detail::makeRestoreRows(std::make_index_sequence<sensor::kParameterCount>());
}

}  // namespace quarn::workbench
