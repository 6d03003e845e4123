#pragma once
// Puts the sensor's parameter reply into the lists, records the indices it
// reported, redraws the detection area and refreshes the height text.

#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"
#include "sensor/SensorReplies.h"
#include "texts/StringTable.h"

namespace quarn::sensorwin {

// The parameter frame's controls that a reply changes.
struct ParameterFrameControls {
    sensor::ParameterLists lists;
    quarn::Label& heightLabel;
    quarn::PictureBox& detectionAreaPicture;
    quarn::OvalShape& detectionArea;
};

class ParameterPresenter {
  public:
    // strings: the texts in the chosen language, read at every refresh.
    ParameterPresenter(ParameterFrameControls controls, sensor::ParameterMemory& memory,
                       const texts::StringTableEntries& strings)
        : controls_(controls), memory_(memory), strings_(strings) {}

    // Applies the indices in table order and stops at the first parameter
    // without one; that list and all after it keep their state.
    void showParameters(const sensor::ParameterReply& reply);
    // Height label = the height caption + the suffix of the height list's
    // selection.
    void showHeight();

  private:
    ParameterFrameControls controls_;
    sensor::ParameterMemory& memory_;
    const texts::StringTableEntries& strings_;
};

}  // namespace quarn::sensorwin
