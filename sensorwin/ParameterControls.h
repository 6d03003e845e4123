#pragma once
// Each parameter's caption and list in the sensor window, one pair for each
// row of the parameter table, named after the row: "sensitivityCaption" and
// "sensitivityList".

#include <array>
#include <string>
#include <utility>

#include "platform/controls/ComboList.h"
#include "platform/controls/Label.h"
#include "sensor/ParameterTable.h"

namespace quarn::sensorwin {

struct ParameterControls {
    explicit ParameterControls(const sensor::ParameterRow& row)
        : caption(std::string(row.name) + "Caption"), list(std::string(row.name) + "List") {}

    quarn::Label caption;
    quarn::ComboList list;
};

using AllParameterControls = std::array<ParameterControls, sensor::kParameterCount>;

namespace detail {
template <std::size_t... Row>
AllParameterControls makeParameterControls(std::index_sequence<Row...> /*rows*/) {
    return {ParameterControls(sensor::kParameterTable[Row])...};
}
}  // namespace detail

inline AllParameterControls makeParameterControls() {
    return detail::makeParameterControls(std::make_index_sequence<sensor::kParameterCount>());
}

}  // namespace quarn::sensorwin
