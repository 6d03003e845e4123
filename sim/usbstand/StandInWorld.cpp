#include "sim/usbstand/StandInWorld.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "sim/usbstand/AsyncTransfers.h"
#include "sim/usbstand/EnvironmentScene.h"

namespace quarn::usbstand {

namespace {

constexpr int kBusNumber = 1;
constexpr std::uint8_t kHubPort = 1;

// The text the bus lists for an adapter by index: its description or its
// serial number, by the flag.
std::string listedText(D2xxDriver& bus, FtDword index, FtDword flag) {
    std::array<char, ft::kMaxDescription> text{};
    void* indexArg = reinterpret_cast<void*>(static_cast<std::uintptr_t>(index));
    if (bus.listDevices(indexArg, text.data(), ft::kListByIndex | flag) != ft::kOk) {
        return {};
    }
    return {text.data(), strnlen(text.data(), text.size())};
}

}  // namespace

StandInWorld& StandInWorld::instance() {
    static StandInWorld world;
    static const bool sceneRead = [] {
        attachEnvironmentScene(world);
        return true;
    }();
    static_cast<void>(sceneRead);
    return world;
}

void StandInWorld::attach(sim::SimulatedBus* bus) {
    if (bus == bus_) {
        return;
    }
    // Chips still referenced by open devices keep talking to their own bus.
    bus_ = bus;
    chips_.clear();
    placesGiven_ = 0;
    addressesGiven_ = 0;
    initFailure = 0;
    AsyncTransfers::instance().startOver();
}

int StandInWorld::nextAddress() {
    // The root hub is address 1, the hub behind it 2.
    return ++addressesGiven_ + 2;
}

UsbPlace StandInWorld::nextPlace() {
    ++placesGiven_;
    // Behind a hub on root port 1, each adapter on a port of its own.
    UsbPlace place;
    place.bus = kBusNumber;
    place.address = nextAddress();
    place.ports = {kHubPort, static_cast<std::uint8_t>(placesGiven_)};
    place.sysfsName = std::to_string(kBusNumber) + "-" + std::to_string(kHubPort) + "." +
                      std::to_string(placesGiven_);
    return place;
}

std::vector<std::shared_ptr<EmulatedChip>> StandInWorld::refresh() {
    std::vector<std::shared_ptr<EmulatedChip>> onBus;
    FtDword count = 0;
    if (bus_ == nullptr || bus_->listDevices(&count, nullptr, ft::kListNumberOnly) != ft::kOk) {
        return onBus;
    }
    std::vector<std::shared_ptr<EmulatedChip>> listed;
    for (FtDword index = 0; index < count; ++index) {
        listed.push_back(chip(listedText(*bus_, index, ft::kOpenBySerialNumber)));
        listed.back()->setDescription(listedText(*bus_, index, ft::kOpenByDescription));
    }
    for (auto& entry : chips_) {
        EmulatedChip& known = *entry.second;
        const bool plugged = std::find(listed.begin(), listed.end(), entry.second) != listed.end();
        if (!known.hasPlace() && plugged) {
            known.setPlace(nextPlace());
        } else if (!known.plugged() && plugged) {
            // Plugged in again: the same port, a new address, as USB gives.
            UsbPlace place = known.place();
            place.address = nextAddress();
            known.setPlace(place);
        }
        known.setPlugged(plugged);
    }
    for (const auto& chip : listed) {
        if (chip->onBus()) {
            onBus.push_back(chip);
        }
    }
    return onBus;
}

std::shared_ptr<EmulatedChip> StandInWorld::chip(const std::string& serial) {
    if (bus_ == nullptr) {
        return nullptr;
    }
    auto& slot = chips_[serial];
    if (!slot) {
        slot = std::make_shared<EmulatedChip>(*bus_, serial);
    }
    return slot;
}

std::shared_ptr<EmulatedChip> StandInWorld::findChip(const std::string& serial) const {
    const auto found = chips_.find(serial);
    return found == chips_.end() ? nullptr : found->second;
}

}  // namespace quarn::usbstand
