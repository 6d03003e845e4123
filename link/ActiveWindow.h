#pragma once
// Which window the technician works in. The receive cycle hands every frame
// to that window's decoder: the start window reads identity replies, the
// sensor window reads the sensor's replies and live samples.

#include <cstdint>

namespace quarn::link {

enum class ActiveWindow : std::int16_t { Start = 0, Sensor = 1 };

}  // namespace quarn::link
