#include "gui/DemoBus.h"

namespace quarn::gui {

DemoBus::DemoBus(bool withSensor) {
    sim::Adapter& programmer = bus_.plugAdapter("QuarnProg");
    if (withSensor) {
        programmer.attachDevice(sim::DeviceConfig{});
    }
}

}  // namespace quarn::gui
