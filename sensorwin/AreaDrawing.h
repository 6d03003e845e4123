#pragma once
// The detection-area picture: a fixed reference grid and an oval that grows
// with the sensitivity, always centred in a 400 x 300 user scale.

#include <cstdint>

#include "platform/controls/PictureBox.h"

namespace quarn::sensorwin {

inline constexpr float kAreaScaleWidth = 400.0F;
inline constexpr float kAreaScaleHeight = 300.0F;

// Sizes and centres the oval for size 1..9 (the sensitivity value) and draws
// the 7 inner vertical and 5 inner horizontal grid lines in black.
void drawArea(quarn::PictureBox& picture, quarn::OvalShape& area, std::int16_t size);

// The oval's box for a size, as DrawArea sets it.
quarn::UserBox areaBox(std::int16_t size);

}  // namespace quarn::sensorwin
