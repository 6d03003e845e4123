#pragma once
// One whole application with the sensor window plugged in, on the virtual
// clock, against the simulated bus, in a temporary application directory
// holding the delivered string table.

#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Application.h"
#include "platform/VirtualClock.h"
#include "sensorwin/SensorWindow.h"
#include "sim/SimFrameCodec.h"
#include "sim/SimulatedBus.h"
#include "sim/ZelSensor.h"
#include "support/DriverUnderTest.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace quarn::testing {

// A fresh directory holding the delivered string table, removed with its
// contents at the end.
struct SessionDirectory {
    SessionDirectory() {
        std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, path / "StringTable.txt");
    }

    TempDir directory;
    std::filesystem::path path = directory.path();
};

class SensorSession {
  public:
    explicit SensorSession(const std::string& directory) {
        host.directory = directory;
        app.setSensorWindow(&window, &window.replyDecoder());
    }

    sim::Adapter& plug(const sim::DeviceConfig& config) {
        sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
        adapter.attachDevice(config);
        return adapter;
    }

    void start(bool monitor = true) {
        app.start();
        if (monitor) {
            app.showMonitor();
        }
    }

    // Advances in steps of at most stepMs until done() holds or limitMs has
    // passed; returns whether it holds.
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs,
                  std::int64_t stepMs = 10) {
        const std::int64_t end = clock.nowMs() + limitMs;
        while (!done()) {
            if (clock.nowMs() >= end) {
                return false;
            }
            clock.advance(stepMs);
        }
        return true;
    }
    bool openWindow() {
        return runUntil([this] { return window.visible(); }, 10000);
    }

    const std::string& sentLog() { return app.trafficMonitor().sentFrames.text(); }
    const std::string& text(int entry) { return app.state().texts[entry]; }

    // What the programmer received after the index-th frame.
    static std::vector<sim::ReceivedFrame> framesSince(const sim::Adapter& adapter,
                                                       std::size_t index) {
        const auto& all = adapter.receivedFrames();
        return {all.begin() + static_cast<std::ptrdiff_t>(std::min(index, all.size())), all.end()};
    }

    // Declared in this order so that the window goes before the application,
    // both before the driver, and all of them before the bus and the clock.
    VirtualClock clock;
    FakeHost host;
    sim::SimulatedBus bus{clock};
    DriverUnderTest driverUnderTest{bus};
    app::Application app{driverUnderTest.driver(), clock, host};
    sensorwin::SensorWindow window{app.state(), app.sender(), app.trafficMonitor(),
                                   clock,       app.host(),   [this] { app.returnToStart(); }};
};

}  // namespace quarn::testing
