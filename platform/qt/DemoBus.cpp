#include "platform/qt/DemoBus.h"

namespace quarn::qt {

DemoBus::DemoBus() {
    sim::Adapter& programmer = bus_.plugAdapter("QuarnProg");
    programmer.attachDevice(sim::DeviceConfig{});
}

}  // namespace quarn::qt
