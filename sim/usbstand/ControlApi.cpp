// The test controls of UsbStandIn.h, on the stand-in's world.

#include <algorithm>

#include "sim/usbstand/AsyncTransfers.h"
#include "sim/usbstand/StandInWorld.h"
#include "sim/usbstand/UsbStandIn.h"

namespace quarn::usbstand {

void attachBus(sim::SimulatedBus* bus) {
    StandInWorld::instance().attach(bus);
}

sim::SimulatedBus* attachedBus() {
    return StandInWorld::instance().bus();
}

void setFaults(const std::string& serial, const AdapterFaults& faults) {
    if (auto chip = StandInWorld::instance().chip(serial)) {
        chip->setFaults(faults);
    }
}

void bindKernelDriver(const std::string& serial) {
    if (auto chip = StandInWorld::instance().chip(serial)) {
        chip->bindKernelDriver();
    }
}

void setLine(const std::string& serial, const LineSettings& line) {
    if (auto chip = StandInWorld::instance().chip(serial)) {
        chip->setLine(line);
    }
}

void setInitFailure(int libusbError) {
    StandInWorld::instance().initFailure = libusbError;
}

std::optional<ChipReport> chipReport(const std::string& serial) {
    const auto chip = StandInWorld::instance().findChip(serial);
    if (!chip) {
        return std::nullopt;
    }
    return chip->report();
}

std::optional<UsbPlace> placeOf(const std::string& serial) {
    StandInWorld& world = StandInWorld::instance();
    world.refresh();
    const auto chip = world.findChip(serial);
    if (!chip || !chip->hasPlace()) {
        return std::nullopt;
    }
    return chip->place();
}

int liveContexts() {
    return StandInWorld::instance().liveContexts;
}

int openDeviceHandles() {
    return StandInWorld::instance().openHandles;
}

TransferCounts transferCounts() {
    return AsyncTransfers::instance().counts();
}

void receiveIntoTransfers(const std::string& serial) {
    if (const auto chip = StandInWorld::instance().findChip(serial)) {
        AsyncTransfers::instance().receiveNow(*chip);
    }
}

int passUsbTime(const std::string& serial, int milliseconds) {
    const auto chip = StandInWorld::instance().findChip(serial);
    if (!chip || milliseconds <= 0) {
        return 0;
    }
    // The chip's latency timer can be set as low as 1 ms; 0 would mean no
    // wait at all, which no chip does.
    const int latencyMs = std::max(chip->report().line.latencyMs, 1);
    return AsyncTransfers::instance().receiveNow(*chip, milliseconds / latencyMs);
}

EventWaits takeEventWaits() {
    return AsyncTransfers::instance().takeEventWaits();
}

}  // namespace quarn::usbstand

const char* quarnUsbStandIn() {
    return "QuarnSoft libusb stand-in";
}
