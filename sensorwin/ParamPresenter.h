#pragma once
// Puts the sensor's parameter reply into the six lists, records the indices
// it reported, redraws the detection area and refreshes the height text.

#include <string>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"

namespace quarn::sensorwin {

struct ParamControls {
    sensor::ParameterLists lists;
    quarn::Label& heightLabel;
    quarn::PictureBox& detectionAreaPicture;
    quarn::OvalShape& detectionArea;
};

class ParamPresenter {
  public:
    // heightCaption: the text that starts the height label (the same entry
    // as the height list's caption), read at every refresh.
    ParamPresenter(ParamControls controls, sensor::ParameterMemory& params,
                   const link::DeviceIdentity& identity, const std::string& heightCaption)
        : c_(controls), params_(params), identity_(identity), heightCaption_(heightCaption) {}

    // Applies the values in frame order and stops at the first one that is
    // out of its list's range; that list and all after it keep their state.
    // Returns true only when every value was taken.
    bool showParameters(const link::MsgBytes& frame);
    // Height label = caption + the suffix of the height list's selection.
    void showHeight();

  private:
    ParamControls c_;
    sensor::ParameterMemory& params_;
    const link::DeviceIdentity& identity_;
    const std::string& heightCaption_;
};

}  // namespace quarn::sensorwin
