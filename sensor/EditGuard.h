#pragma once
// The editing guard: while the technician has a parameter list dropped down,
// changes of its selection are not written to the sensor. Dropping a list
// down raises its edit flag, clicking an item (or the program setting the
// selection) lowers it again.

#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"

namespace quarn::sensor {

class EditGuard {
  public:
    explicit EditGuard(ParameterMemory& params) : params_(params) {}

    // Routes the lists' DropDown and Click events to the handlers below.
    void connect(const ParameterLists& lists);

    void onSensitivityListDroppedDown() { params_.EditTresh = true; }
    void onSensitivityListClicked() { params_.EditTresh = false; }
    void onRelayOnTimeListDroppedDown() { params_.EditTonRele = true; }
    void onRelayOnTimeListClicked() { params_.EditTonRele = false; }
    void onReactionSpeedListDroppedDown() { params_.EditVelSense = true; }
    void onReactionSpeedListClicked() { params_.EditVelSense = false; }
    void onMainsFilterListDroppedDown() { params_.EditFilterLine = true; }
    void onMainsFilterListClicked() { params_.EditFilterLine = false; }
    void onHighTrafficListDroppedDown() { params_.EditHighTraffic = true; }
    void onHighTrafficListClicked() { params_.EditHighTraffic = false; }
    void onInstallationHeightListDroppedDown() { params_.EditSelHeight = true; }
    void onInstallationHeightListClicked() { params_.EditSelHeight = false; }

  private:
    ParameterMemory& params_;
};

}  // namespace quarn::sensor
