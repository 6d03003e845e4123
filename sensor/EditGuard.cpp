#include "sensor/EditGuard.h"

namespace quarn::sensor {

void EditGuard::connect(const ParamLists& lists) {
    lists.TreshRadarZel.setDropDownHandler([this] { TreshRadarZel_DropDown(); });
    lists.TreshRadarZel.setClickHandler([this] { TreshRadarZel_Click(); });
    lists.ValueTonReleZel.setDropDownHandler([this] { ValueTonReleZel_DropDown(); });
    lists.ValueTonReleZel.setClickHandler([this] { ValueTonReleZel_Click(); });
    lists.VelSenseRadarZel.setDropDownHandler([this] { VelSenseRadarZel_DropDown(); });
    lists.VelSenseRadarZel.setClickHandler([this] { VelSenseRadarZel_Click(); });
    lists.FilterLineRadarZel.setDropDownHandler([this] { FilterLineRadarZel_DropDown(); });
    lists.FilterLineRadarZel.setClickHandler([this] { FilterLineRadarZel_Click(); });
    lists.FlagHighTrafficRadarZel.setDropDownHandler(
        [this] { FlagHighTrafficRadarZel_DropDown(); });
    lists.FlagHighTrafficRadarZel.setClickHandler([this] { FlagHighTrafficRadarZel_Click(); });
    lists.SelHeightRadarZel.setDropDownHandler([this] { SelHeightRadarZel_DropDown(); });
    lists.SelHeightRadarZel.setClickHandler([this] { SelHeightRadarZel_Click(); });
}

}  // namespace quarn::sensor
