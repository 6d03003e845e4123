#include "gui/DemoBus.h"

namespace quarn::qt {

DemoBus::DemoBus(bool withSensor) {
    sim::Adapter& programmer = bus_.plugAdapter("QuarnProg");
    if (withSensor) {
        programmer.attachDevice(sim::DeviceConfig{});
    }
}

}  // namespace quarn::qt
