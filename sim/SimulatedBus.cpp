#include "sim/SimulatedBus.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <span>

#include "platform/D2xxArguments.h"

namespace quarn::sim {

namespace {

using ft::clampToDword;
using ft::putDword;
using ft::putListText;
using ft::textArgument;
// Handles are opaque numbers dressed as pointers; they are looked up, never
// dereferenced. Starting well above zero keeps them non-null and unlike
// small integers a caller might pass by mistake.
constexpr std::uintptr_t kHandleBase = 0x5100;
constexpr std::uintptr_t kHandleStride = 0x10;
constexpr std::uint32_t kSeedBase = 0x51D0;

const std::string& listText(const Adapter& adapter, FtDword flags) {
    return (flags & ft::kOpenByDescription) != 0 ? adapter.description() : adapter.serialNumber();
}
}  // namespace

SimulatedBus::SimulatedBus(const Clock& clock) : clock_(clock) {}

SimulatedBus::~SimulatedBus() = default;

Adapter& SimulatedBus::plugAdapter(std::string description) {
    const std::size_t number = adapters_.size() + 1;
    std::string serial = std::to_string(number);
    serial.insert(0, 6 - std::min<std::size_t>(serial.size(), 6), '0');
    adapters_.push_back(std::make_unique<Adapter>(clock_, std::move(description), "QS" + serial,
                                                  kSeedBase + static_cast<std::uint32_t>(number)));
    return *adapters_.back();
}

void SimulatedBus::unplug(Adapter& adapter) {
    adapter.pullOut();
}

void SimulatedBus::replug(Adapter& adapter) {
    adapter.plugIn();
}

std::size_t SimulatedBus::adapterCount() const {
    return pluggedAdapters().size();
}

std::vector<Adapter*> SimulatedBus::pluggedAdapters() const {
    std::vector<Adapter*> plugged;
    for (const auto& adapter : adapters_) {
        if (adapter->plugged()) {
            plugged.push_back(adapter.get());
        }
    }
    return plugged;
}

void SimulatedBus::catchUp() {
    for (const auto& adapter : adapters_) {
        adapter->catchUp();
    }
}

bool SimulatedBus::isOpen(const Adapter& adapter) const {
    return std::any_of(handles_.begin(), handles_.end(), [&](const auto& entry) {
        return entry.second.adapter == &adapter &&
               entry.second.plugGeneration == adapter.plugGeneration() && adapter.plugged();
    });
}

FtStatus SimulatedBus::liveAdapter(FtHandle handle, Adapter*& adapter) {
    const auto found = handles_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == handles_.end()) {
        return ft::kInvalidHandle;
    }
    const OpenHandle& open = found->second;
    if (!open.adapter->plugged() || open.plugGeneration != open.adapter->plugGeneration()) {
        return ft::kIoError;
    }
    adapter = open.adapter;
    return ft::kOk;
}

FtStatus SimulatedBus::listDevices(void* arg1, void* arg2, FtDword flags) {
    catchUp();
    if ((flags & ft::kListNumberOnly) != 0) {
        if (arg1 == nullptr) {
            return ft::kInvalidParameter;
        }
        putDword(arg1, clampToDword(adapterCount()));
        return ft::kOk;
    }
    if ((flags & ft::kListByIndex) != 0) {
        return listByIndex(arg1, arg2, flags);
    }
    if ((flags & ft::kListAll) != 0) {
        return listAll(arg1, arg2, flags);
    }
    return ft::kInvalidParameter;
}

FtStatus SimulatedBus::listByIndex(void* arg1, void* arg2, FtDword flags) {
    // The index travels as the pointer value itself.
    const auto index = reinterpret_cast<std::uintptr_t>(arg1);
    const auto plugged = pluggedAdapters();
    if (index >= plugged.size()) {
        return ft::kDeviceNotFound;
    }
    if (arg2 == nullptr) {
        return ft::kInvalidParameter;
    }
    putListText(arg2, listText(*plugged[index], flags));
    return ft::kOk;
}

FtStatus SimulatedBus::listAll(void* arg1, void* arg2, FtDword flags) {
    // arg1: the caller's buffers, a null-terminated array of pointers;
    // arg2: where the number of devices goes.
    if (arg1 == nullptr || arg2 == nullptr) {
        return ft::kInvalidParameter;
    }
    auto* const* buffers = static_cast<void* const*>(arg1);
    const auto plugged = pluggedAdapters();
    for (std::size_t i = 0; i < plugged.size() && buffers[i] != nullptr; ++i) {
        putListText(buffers[i], listText(*plugged[i], flags));
    }
    putDword(arg2, clampToDword(plugged.size()));
    return ft::kOk;
}

FtStatus SimulatedBus::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    catchUp();
    if (handle == nullptr || arg1 == nullptr) {
        return ft::kInvalidParameter;
    }
    const bool byDescription = (flags & ft::kOpenByDescription) != 0;
    const bool bySerial = (flags & ft::kOpenBySerialNumber) != 0;
    if (!byDescription && !bySerial) {
        // Opening by location is not modelled: no adapter has one.
        return (flags & ft::kOpenByLocation) != 0 ? ft::kDeviceNotFound : ft::kInvalidParameter;
    }
    const std::string wanted = textArgument(arg1);
    bool matched = false;
    for (Adapter* adapter : pluggedAdapters()) {
        const std::string& name = byDescription ? adapter->description() : adapter->serialNumber();
        if (name != wanted) {
            continue;
        }
        matched = true;
        if (isOpen(*adapter)) {
            continue;
        }
        nextHandle_ += kHandleStride;
        const std::uintptr_t key = kHandleBase + nextHandle_;
        handles_.emplace(key, OpenHandle{adapter, adapter->plugGeneration()});
        *handle = reinterpret_cast<FtHandle>(key);
        return ft::kOk;
    }
    return matched ? ft::kDeviceNotOpened : ft::kDeviceNotFound;
}

FtStatus SimulatedBus::resetDevice(FtHandle handle) {
    catchUp();
    Adapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    adapter->purgeReceive();
    return ft::kOk;
}

FtStatus SimulatedBus::purge(FtHandle handle, FtDword mask) {
    catchUp();
    Adapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    // Writes reach the programmer at once, so the transmit queue is always
    // empty; only received bytes can be thrown away.
    if ((mask & ft::kPurgeRx) != 0) {
        adapter->purgeReceive();
    }
    return ft::kOk;
}

FtStatus SimulatedBus::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                             FtDword* bytesWritten) {
    catchUp();
    Adapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
        return ft::kInvalidParameter;
    }
    if (bytesToWrite > 0) {
        adapter->acceptWire(std::span(static_cast<const std::uint8_t*>(buffer), bytesToWrite));
    }
    *bytesWritten = bytesToWrite;
    return ft::kOk;
}

FtStatus SimulatedBus::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    catchUp();
    Adapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (rxBytes == nullptr) {
        return ft::kInvalidParameter;
    }
    *rxBytes = clampToDword(adapter->queue_.available(clock_.nowMs()));
    return ft::kOk;
}

FtStatus SimulatedBus::setTimeouts(FtHandle handle, FtDword, FtDword) {
    catchUp();
    Adapter* adapter = nullptr;
    // Reads never wait in the simulation, so the values change nothing.
    return liveAdapter(handle, adapter);
}

FtStatus SimulatedBus::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                            FtDword* bytesReturned) {
    catchUp();
    Adapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
        return ft::kInvalidParameter;
    }
    *bytesReturned = 0;
    if (bytesToRead > 0) {
        *bytesReturned = clampToDword(
            adapter->readBytes(std::span(static_cast<std::uint8_t*>(buffer), bytesToRead)));
    }
    return ft::kOk;
}

FtStatus SimulatedBus::close(FtHandle handle) {
    catchUp();
    // A handle whose adapter was pulled out can still be closed.
    if (handles_.erase(reinterpret_cast<std::uintptr_t>(handle)) == 0) {
        return ft::kInvalidHandle;
    }
    return ft::kOk;
}

}  // namespace quarn::sim
