#include "sensorwin/ParamPresenter.h"

#include <array>
#include <cstdint>

#include "sensorwin/AreaDrawing.h"

namespace quarn::sensorwin {

namespace {

// Lists numbered from 1 on the wire: 1 <= value <= item count.
bool NumberedValueFits(std::uint8_t value, const quarn::ComboList& list) {
    return value >= 1 && value <= list.listCount();
}

// Lists indexed from 0 on the wire: value <= item count - 1.
bool IndexValueFits(std::uint8_t value, const quarn::ComboList& list) {
    return value <= list.listCount() - 1;
}

// Sets the list and returns its selection read back.
std::int16_t Select(quarn::ComboList& list, int index) {
    list.setListIndex(static_cast<std::int16_t>(index));
    return list.listIndex();
}

constexpr std::array<const char*, 3> kHeightSuffixes = {":  2.30 m", ":  2.90 m", ":  3.50 m"};

}  // namespace

bool ParamPresenter::ShowParams(const link::MsgBytes& frame) {
    sensor::ParamLists& lists = c_.lists;

    if (!NumberedValueFits(frame[3], lists.TreshRadarZel)) {
        return false;
    }
    params_.LastTresh = Select(lists.TreshRadarZel, frame[3] - 1);
    DrawArea(c_.PictureAreaRadarZel, c_.AreaRadarZel,
             static_cast<std::int16_t>(params_.LastTresh + 1));

    if (!NumberedValueFits(frame[4], lists.ValueTonReleZel)) {
        return false;
    }
    params_.LastTonRele = Select(lists.ValueTonReleZel, frame[4] - 1);

    if (!IndexValueFits(frame[5], lists.VelSenseRadarZel)) {
        return false;
    }
    params_.LastVelSense = Select(lists.VelSenseRadarZel, frame[5]);

    if (!IndexValueFits(frame[6], lists.FilterLineRadarZel)) {
        return false;
    }
    params_.LastFilterLine = Select(lists.FilterLineRadarZel, frame[6]);

    if (!IndexValueFits(frame[7], lists.FlagHighTrafficRadarZel)) {
        return false;
    }
    params_.LastHighTraffic = Select(lists.FlagHighTrafficRadarZel, frame[7]);

    // Whether byte 8 is the height depends on the firmware word, which is
    // known only while the sensor's identity is current (each identity cycle
    // clears it until the sensor answers again). Without it the height list
    // is left as it was rather than set to a value the sensor did not report.
    if (identity_.type != link::kZelDeviceType) {
        return false;
    }
    if (identity_.firmwareVersion < link::kHeightFirmware) {
        lists.SelHeightRadarZel.setListIndex(0);
    } else {
        // An out-of-range height leaves the list, its last value and the
        // label as they were.
        if (!IndexValueFits(frame[8], lists.SelHeightRadarZel)) {
            return false;
        }
        lists.SelHeightRadarZel.setListIndex(frame[8]);
    }
    params_.LastSelHeight = lists.SelHeightRadarZel.listIndex();
    ShowHeight();
    return true;
}

void ParamPresenter::ShowHeight() {
    std::string text = heightCaption_;
    const std::int16_t index = c_.lists.SelHeightRadarZel.listIndex();
    if (index >= 0 && index < static_cast<std::int16_t>(kHeightSuffixes.size())) {
        text += kHeightSuffixes[static_cast<std::size_t>(index)];
    }
    c_.LabelHeightRadarZel.setCaption(text);
}

}  // namespace quarn::sensorwin
