#include "sensorwin/AreaDrawing.h"

namespace quarn::sensorwin {

namespace {
constexpr float kGridStep = 50.0F;
constexpr int kInnerVerticals = 7;
constexpr int kInnerHorizontals = 5;
}  // namespace

// The box grows by 30 units in width and 20 in height per step and stays
// centred on (200, 150). Width and height are whole numbers as the shape
// holds them; the offsets are computed from them in floating point.
quarn::UserBox areaBox(std::int16_t size) {
    const auto width = static_cast<std::int16_t>(size * 30 + 120);
    const auto height = static_cast<std::int16_t>(size * 20 + 100);
    quarn::UserBox box;
    box.width = width;
    box.height = height;
    box.top = (kAreaScaleHeight - box.height) / 2.0F;
    box.left = (kAreaScaleWidth - box.width) / 2.0F;
    return box;
}

void drawArea(quarn::PictureBox& picture, quarn::OvalShape& area, std::int16_t size) {
    area.setBox(areaBox(size));
    for (int i = 1; i <= kInnerVerticals; ++i) {
        const float x = kGridStep * static_cast<float>(i);
        picture.drawLine({x, 0.0F, x, kAreaScaleHeight, quarn::colors::kBlack});
    }
    for (int j = 1; j <= kInnerHorizontals; ++j) {
        const float y = kGridStep * static_cast<float>(j);
        picture.drawLine({0.0F, y, kAreaScaleWidth, y, quarn::colors::kBlack});
    }
}

}  // namespace quarn::sensorwin
