#pragma once
// What the start window, the link and the sensor window share for the whole
// run: which window is active, whether closing the sensor window ends the
// application, the texts in the chosen language and the identity of the
// device behind the programmer. One instance per application; no globals.

#include "link/ActiveWindow.h"
#include "link/DeviceIdentity.h"
#include "texts/StringTable.h"

namespace quarn::sensor {

struct SessionState {
    link::ActiveWindow activeWindow = link::ActiveWindow::Start;
    // Set when the sensor window has loaded; cleared when the sensor is
    // found missing, so that the window then closes back to the start window.
    bool endWithSensorWindow = false;
    texts::StringTableEntries texts;  // UTF-8
    link::DeviceIdentity identity;
};

}  // namespace quarn::sensor
