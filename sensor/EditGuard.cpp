#include "sensor/EditGuard.h"

namespace quarn::sensor {

void EditGuard::connect(const ParameterLists& lists) {
    lists.sensitivityList.setDropDownHandler([this] { onSensitivityListDroppedDown(); });
    lists.sensitivityList.setClickHandler([this] { onSensitivityListClicked(); });
    lists.relayOnTimeList.setDropDownHandler([this] { onRelayOnTimeListDroppedDown(); });
    lists.relayOnTimeList.setClickHandler([this] { onRelayOnTimeListClicked(); });
    lists.reactionSpeedList.setDropDownHandler([this] { onReactionSpeedListDroppedDown(); });
    lists.reactionSpeedList.setClickHandler([this] { onReactionSpeedListClicked(); });
    lists.mainsFilterList.setDropDownHandler([this] { onMainsFilterListDroppedDown(); });
    lists.mainsFilterList.setClickHandler([this] { onMainsFilterListClicked(); });
    lists.highTrafficList.setDropDownHandler([this] { onHighTrafficListDroppedDown(); });
    lists.highTrafficList.setClickHandler([this] { onHighTrafficListClicked(); });
    lists.installationHeightList.setDropDownHandler(
        [this] { onInstallationHeightListDroppedDown(); });
    lists.installationHeightList.setClickHandler([this] { onInstallationHeightListClicked(); });
}

}  // namespace quarn::sensor
