#include "cli/MachineDrivers.h"

namespace quarn::cli {

D2xxDriver* MachineDrivers::driverFor(backend::DriverChoice choice, std::string& problem) {
    if (choice == backend::DriverChoice::Simulate) {
        simulator_ = std::make_unique<sim::SimulatedBus>(clock_);
        simulator_->plugAdapter("QuarnProg").attachDevice(sim::DeviceConfig{});
        return simulator_.get();
    }
    hardware_ = std::make_unique<backend::HardwareBackend>(choice, log_);
    if (!hardware_->usable()) {
        problem = hardware_->problem();
        return nullptr;
    }
    return &hardware_->driver();
}

}  // namespace quarn::cli
