#include "sensorwin/ParameterPresenter.h"

#include <array>
#include <cstdint>

#include "sensorwin/AreaDrawing.h"

namespace quarn::sensorwin {

namespace {

constexpr std::array<const char*, 3> kHeightSuffixes = {":  2.30 m", ":  2.90 m", ":  3.50 m"};

}  // namespace

void ParameterPresenter::showParameters(const sensor::ParameterReply& reply) {
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        const std::optional<std::int16_t>& index = reply[row.parameter];
        if (!index) {
            return;
        }
        quarn::ComboList& list = controls_.lists[row.parameter];
        list.setListIndex(*index);
        memory_[row.parameter].lastReported = list.listIndex();
        if (row.parameter == sensor::Parameter::Sensitivity) {
            // The oval grows with the sensitivity value, 1 to 9.
            drawArea(controls_.detectionAreaPicture, controls_.detectionArea,
                     static_cast<std::int16_t>(list.listIndex() + 1));
        }
    }
    showHeight();
}

void ParameterPresenter::showHeight() {
    const sensor::Parameter height = sensor::Parameter::InstallationHeight;
    std::string text = texts::textOf(strings_, sensor::rowOf(height).caption);
    const std::int16_t index = controls_.lists[height].listIndex();
    if (index >= 0 && index < static_cast<std::int16_t>(kHeightSuffixes.size())) {
        text += kHeightSuffixes[static_cast<std::size_t>(index)];
    }
    controls_.heightLabel.setCaption(text);
}

}  // namespace quarn::sensorwin
