#include "sim/usbstand/StandInWorld.h"

#include <array>
#include <cstdint>
#include <cstring>

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
    initFailure = 0;
}

UsbPlace StandInWorld::nextPlace() {
    ++placesGiven_;
    // Behind a hub on root port 1; the root hub is address 1, the hub 2.
    UsbPlace place;
    place.bus = kBusNumber;
    place.address = placesGiven_ + 2;
    place.ports = {kHubPort, static_cast<std::uint8_t>(placesGiven_)};
    place.sysfsName = std::to_string(kBusNumber) + "-" + std::to_string(kHubPort) + "." +
                      std::to_string(placesGiven_);
    return place;
}

std::vector<std::shared_ptr<EmulatedChip>> StandInWorld::refresh() {
    std::vector<std::shared_ptr<EmulatedChip>> onBus;
    if (bus_ == nullptr) {
        return onBus;
    }
    for (auto& entry : chips_) {
        entry.second->setPlugged(false);
    }
    FtDword count = 0;
    if (bus_->listDevices(&count, nullptr, ft::kListNumberOnly) != ft::kOk) {
        return onBus;
    }
    for (FtDword index = 0; index < count; ++index) {
        const std::string serial = listedText(*bus_, index, ft::kOpenBySerialNumber);
        std::shared_ptr<EmulatedChip> listed = chip(serial);
        listed->setDescription(listedText(*bus_, index, ft::kOpenByDescription));
        listed->setPlugged(true);
        if (!listed->hasPlace()) {
            listed->setPlace(nextPlace());
        }
        if (listed->onBus()) {
            onBus.push_back(listed);
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
