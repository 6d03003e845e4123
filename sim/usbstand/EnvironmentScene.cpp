#include "sim/usbstand/EnvironmentScene.h"

#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SteadyClock.h"
#include "sim/SimulatedBus.h"
#include "sim/usbstand/StandInWorld.h"

namespace quarn::usbstand {
namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        text.remove_prefix(end + 1);
    }
    return parts;
}

// The bus and its clock live as long as the process, like the world.
struct SceneBus {
    SteadyClock clock;
    sim::SimulatedBus bus{clock};
};

void plugDescribed(StandInWorld& world, sim::SimulatedBus& bus, std::string_view entry) {
    const std::size_t colon = entry.find(':');
    sim::Adapter& adapter = bus.plugAdapter(std::string(entry.substr(0, colon)));
    AdapterFaults faults;
    bool withDevice = true;
    bool kernelDriver = false;
    if (colon != std::string_view::npos) {
        for (const std::string_view fault : split(entry.substr(colon + 1), ',')) {
            faults.denyAccess = faults.denyAccess || fault == "access";
            faults.interfaceBusy = faults.interfaceBusy || fault == "busy";
            kernelDriver = kernelDriver || fault == "kernel";
            withDevice = withDevice && fault != "nodevice";
        }
    }
    if (withDevice) {
        adapter.attachDevice(sim::DeviceConfig{});
    }
    // The world's own calls: the test controls would ask for the world,
    // which is still being made.
    if (auto chip = world.chip(adapter.serialNumber())) {
        chip->setFaults(faults);
        if (kernelDriver) {
            chip->bindKernelDriver();
        }
    }
}

}  // namespace

void attachEnvironmentScene(StandInWorld& world) {
    if (const char* scene = std::getenv("QUARN_USBSTAND_SCENE")) {
        static SceneBus sceneBus;
        world.attach(&sceneBus.bus);
        for (const std::string_view entry : split(scene, ';')) {
            if (!entry.empty()) {
                plugDescribed(world, sceneBus.bus, entry);
            }
        }
    }
    // After the bus: attaching one clears the failure.
    if (const char* failure = std::getenv("QUARN_USBSTAND_INIT_FAILURE")) {
        world.initFailure = std::atoi(failure);
    }
}

}  // namespace quarn::usbstand
