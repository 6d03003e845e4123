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

    void onSensitivityListDroppedDown() { params_.editTresh = true; }
    void onSensitivityListClicked() { params_.editTresh = false; }
    void onRelayOnTimeListDroppedDown() { params_.editTonRele = true; }
    void onRelayOnTimeListClicked() { params_.editTonRele = false; }
    void onReactionSpeedListDroppedDown() { params_.editVelSense = true; }
    void onReactionSpeedListClicked() { params_.editVelSense = false; }
    void onMainsFilterListDroppedDown() { params_.editFilterLine = true; }
    void onMainsFilterListClicked() { params_.editFilterLine = false; }
    void onHighTrafficListDroppedDown() { params_.editHighTraffic = true; }
    void onHighTrafficListClicked() { params_.editHighTraffic = false; }
    void onInstallationHeightListDroppedDown() { params_.editSelHeight = true; }
    void onInstallationHeightListClicked() { params_.editSelHeight = false; }

  private:
    ParameterMemory& params_;
};

}  // namespace quarn::sensor
