#include "sensorwin/ListContents.h"

#include <cstdint>
#include <vector>

namespace quarn::sensorwin {

namespace {

void fill(quarn::ComboList& list, const std::vector<std::string>& items, std::int16_t selected) {
    list.clear();
    for (const auto& item : items) {
        list.addItem(item);
    }
    list.setListIndex(selected);
}

}  // namespace

std::string relayTimeText(int i, const std::string& decimalSeparator) {
    std::string text = std::to_string(i / 2);
    if (i % 2 != 0) {
        text += decimalSeparator + "5";
    }
    return text;
}

void fillParamLists(const sensor::ParameterLists& lists, const texts::StringTableEntries& strings,
                    const std::string& decimalSeparator) {
    std::vector<std::string> sensitivities;
    std::vector<std::string> relayTimes;
    for (int i = 1; i <= 9; ++i) {
        sensitivities.push_back(std::to_string(i));
        relayTimes.push_back(relayTimeText(i, decimalSeparator));
    }
    fill(lists.sensitivityList, sensitivities, 4);
    fill(lists.relayOnTimeList, relayTimes, 0);
    fill(lists.reactionSpeedList, {strings[51], strings[52], strings[53]}, 1);
    fill(lists.mainsFilterList, {strings[50], "50 Hz", "60 Hz"}, 0);
    fill(lists.highTrafficList, {strings[1], strings[0]}, 0);
    fill(lists.installationHeightList, {strings[54], strings[55], strings[56]}, 0);
}

}  // namespace quarn::sensorwin
