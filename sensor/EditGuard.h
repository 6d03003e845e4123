#pragma once
// The editing guard: while the technician has a parameter list dropped down,
// changes of its selection are not written to the sensor. Dropping a list
// down raises its edit flag, clicking an item (or the program setting the
// selection) lowers it again.

#include "sensor/ParamLists.h"
#include "sensor/SensorParams.h"

namespace quarn::sensor {

class EditGuard {
  public:
    explicit EditGuard(SensorParams& params) : params_(params) {}

    // Routes the lists' DropDown and Click events to the handlers below.
    void connect(const ParamLists& lists);

    void TreshRadarZel_DropDown() { params_.EditTresh = true; }
    void TreshRadarZel_Click() { params_.EditTresh = false; }
    void ValueTonReleZel_DropDown() { params_.EditTonRele = true; }
    void ValueTonReleZel_Click() { params_.EditTonRele = false; }
    void VelSenseRadarZel_DropDown() { params_.EditVelSense = true; }
    void VelSenseRadarZel_Click() { params_.EditVelSense = false; }
    void FilterLineRadarZel_DropDown() { params_.EditFilterLine = true; }
    void FilterLineRadarZel_Click() { params_.EditFilterLine = false; }
    void FlagHighTrafficRadarZel_DropDown() { params_.EditHighTraffic = true; }
    void FlagHighTrafficRadarZel_Click() { params_.EditHighTraffic = false; }
    void SelHeightRadarZel_DropDown() { params_.EditSelHeight = true; }
    void SelHeightRadarZel_Click() { params_.EditSelHeight = false; }

  private:
    SensorParams& params_;
};

}  // namespace quarn::sensor
