#include "sensorwin/ParamPresenter.h"

#include <array>
#include <cstdint>

#include "sensorwin/AreaDrawing.h"

namespace quarn::sensorwin {

namespace {

// Lists numbered from 1 on the wire: 1 <= value <= item count.
bool numberedValueFits(std::uint8_t value, const quarn::ComboList& list) {
    return value >= 1 && value <= list.listCount();
}

// Lists indexed from 0 on the wire: value <= item count - 1.
bool indexValueFits(std::uint8_t value, const quarn::ComboList& list) {
    return value <= list.listCount() - 1;
}

// Sets the list and returns its selection read back.
std::int16_t select(quarn::ComboList& list, int index) {
    list.setListIndex(static_cast<std::int16_t>(index));
    return list.listIndex();
}

constexpr std::array<const char*, 3> kHeightSuffixes = {":  2.30 m", ":  2.90 m", ":  3.50 m"};

}  // namespace

bool ParamPresenter::showParameters(const link::MsgBytes& frame) {
    sensor::ParameterLists& lists = c_.lists;

    if (!numberedValueFits(frame[3], lists.sensitivityList)) {
        return false;
    }
    params_.lastTresh = select(lists.sensitivityList, frame[3] - 1);
    drawArea(c_.detectionAreaPicture, c_.detectionArea,
             static_cast<std::int16_t>(params_.lastTresh + 1));

    if (!numberedValueFits(frame[4], lists.relayOnTimeList)) {
        return false;
    }
    params_.lastTonRele = select(lists.relayOnTimeList, frame[4] - 1);

    if (!indexValueFits(frame[5], lists.reactionSpeedList)) {
        return false;
    }
    params_.lastVelSense = select(lists.reactionSpeedList, frame[5]);

    if (!indexValueFits(frame[6], lists.mainsFilterList)) {
        return false;
    }
    params_.lastFilterLine = select(lists.mainsFilterList, frame[6]);

    if (!indexValueFits(frame[7], lists.highTrafficList)) {
        return false;
    }
    params_.lastHighTraffic = select(lists.highTrafficList, frame[7]);

    // Whether byte 8 is the height depends on the firmware word, which is
    // known only while the sensor's identity is current (each identity cycle
    // clears it until the sensor answers again). Without it the height list
    // is left as it was rather than set to a value the sensor did not report.
    if (identity_.type != link::kZelDeviceType) {
        return false;
    }
    if (identity_.firmwareVersion < link::kHeightFirmware) {
        lists.installationHeightList.setListIndex(0);
    } else {
        // An out-of-range height leaves the list, its last value and the
        // label as they were.
        if (!indexValueFits(frame[8], lists.installationHeightList)) {
            return false;
        }
        lists.installationHeightList.setListIndex(frame[8]);
    }
    params_.lastSelHeight = lists.installationHeightList.listIndex();
    showHeight();
    return true;
}

void ParamPresenter::showHeight() {
    std::string text = heightCaption_;
    const std::int16_t index = c_.lists.installationHeightList.listIndex();
    if (index >= 0 && index < static_cast<std::int16_t>(kHeightSuffixes.size())) {
        text += kHeightSuffixes[static_cast<std::size_t>(index)];
    }
    c_.heightLabel.setCaption(text);
}

}  // namespace quarn::sensorwin
