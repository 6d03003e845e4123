#pragma once
// One application with the sensor window plugged in, on whatever driver it
// is given (a recorder, a replay) and the virtual clock, in an application
// directory holding the string table.

#include <string>

#include "app/Application.h"
#include "platform/D2xxDriver.h"
#include "platform/VirtualClock.h"
#include "sensorwin/SensorWindow.h"
#include "support/FakeHost.h"

namespace quarn::testing {

struct AppOnDriver {
    AppOnDriver(D2xxDriver& driver, VirtualClock& clock, const std::string& directory)
        : app(driver, clock, host),
          window(app.state(), app.sender(), app.trafficMonitor(), clock, app.host(),
                 [this] { app.returnToStart(); }) {
        host.directory = directory;
        app.setSensorWindow(&window, &window.replyDecoder());
    }

    FakeHost host;
    app::Application app;
    sensorwin::SensorWindow window;
};

}  // namespace quarn::testing
