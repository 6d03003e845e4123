#include "gui/DriverStack.h"

#include <cstdio>

#include "drivers/backend/HardwareBackend.h"
#include "drivers/backend/MachineDiagnosis.h"
#include "gui/ConsoleAdvisor.h"
#include "gui/DemoBus.h"
#include "platform/LoggedDriver.h"

namespace quarn::gui {

struct DriverStack::Parts {
    std::unique_ptr<DemoBus> demo;
    std::unique_ptr<backend::HardwareBackend> hardware;
    std::unique_ptr<AdapterAdvisor> machineAdvisor;
    std::unique_ptr<LoggedDriver> logged;
};

DriverStack::DriverStack(const Setting& setting, DevLog& log) : parts_(std::make_unique<Parts>()) {
    const LaunchOptions& options = setting.options;
    D2xxDriver* bottom = nullptr;
    if (options.simulate()) {
        parts_->demo = std::make_unique<DemoBus>(setting.simulatedSensor);
        bottom = &parts_->demo->driver();
    } else {
        parts_->hardware = std::make_unique<backend::HardwareBackend>(options.driver, log);
        bottom = &parts_->hardware->driver();
        if (!parts_->hardware->usable()) {
            problems_ += "no USB driver can be used: " + parts_->hardware->problem() + "\n";
        }
        parts_->machineAdvisor =
            backend::makeMachineAdvisor(backend::gatherMachineFacts(setting.udevRuleSource, log));
        advisor_ = std::make_unique<ConsoleAdvisor>(*parts_->machineAdvisor, stderr);
    }
    parts_->logged = std::make_unique<LoggedDriver>(*bottom, log);
    top_ = parts_->logged.get();
}

DriverStack::~DriverStack() = default;

}  // namespace quarn::gui
