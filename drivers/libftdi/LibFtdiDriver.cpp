#include "drivers/libftdi/LibFtdiDriver.h"

#include <ftdi.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "drivers/libftdi/AdapterList.h"
#include "drivers/libftdi/AdapterProbe.h"
#include "drivers/libftdi/OpenAdapter.h"
#include "platform/D2xxArguments.h"

namespace quarn::libftdi {

namespace {

using ft::clampToDword;
using ft::putDword;
using ft::putListText;
using ft::textArgument;

// Handles are opaque numbers dressed as pointers; they are looked up, never
// dereferenced, and never handed out twice.
constexpr std::uintptr_t kHandleBase = 0x7100;
constexpr std::uintptr_t kHandleStride = 0x10;
constexpr FtStatus kNotUsable = ft::kOtherError;

const std::string& listText(const AdapterStrings& strings, FtDword flags) {
    return (flags & ft::kOpenByDescription) != 0 ? strings.description : strings.serial;
}

}  // namespace

LibFtdiDriver::LibFtdiDriver(std::string sysfsRoot)
    : LibFtdiDriver(silentLog_, std::move(sysfsRoot)) {}

LibFtdiDriver::LibFtdiDriver(DevLog& log, std::string sysfsRoot)
    : log_(log), sysfsRoot_(std::move(sysfsRoot)), listing_(newFtdiContext()) {
    if (!listing_) {
        failure_ = "libftdi could not start libusb (libusb_init failed)";
        logIf(log_, LogArea::Usb, [&] { return "libftdi: " + failure_; });
    }
}

LibFtdiDriver::~LibFtdiDriver() {
    // Closing gives each adapter's kernel driver back.
    while (!adapters_.empty()) {
        close(reinterpret_cast<FtHandle>(adapters_.begin()->first));
    }
}

FtStatus LibFtdiDriver::liveAdapter(FtHandle handle, OpenAdapter*& adapter) {
    if (!usable()) {
        return kNotUsable;
    }
    const auto found = adapters_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == adapters_.end()) {
        return ft::kInvalidHandle;
    }
    if (found->second->gone()) {
        return ft::kIoError;
    }
    adapter = found->second.get();
    return ft::kOk;
}

bool LibFtdiDriver::holds(const UsbAddress& address) const {
    // A gone adapter holds nothing: its address may come back on another device.
    return std::any_of(adapters_.begin(), adapters_.end(), [&](const auto& entry) {
        return !entry.second->gone() && entry.second->address() == address;
    });
}

FtStatus LibFtdiDriver::listDevices(void* arg1, void* arg2, FtDword flags) {
    if (!usable()) {
        return kNotUsable;
    }
    if ((flags & ft::kListNumberOnly) != 0) {
        if (arg1 == nullptr) {
            return ft::kInvalidParameter;
        }
        const AdapterList adapters(listing_.get(), sysfsRoot_, log_);
        if (!adapters.listed()) {
            return ft::kIoError;
        }
        putDword(arg1, clampToDword(adapters.size()));
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

FtStatus LibFtdiDriver::listByIndex(void* arg1, void* arg2, FtDword flags) {
    // The index travels as the pointer value itself.
    const auto index = reinterpret_cast<std::uintptr_t>(arg1);
    const AdapterList adapters(listing_.get(), sysfsRoot_, log_);
    if (!adapters.listed()) {
        return ft::kIoError;
    }
    if (index >= adapters.size()) {
        return ft::kDeviceNotFound;
    }
    if (arg2 == nullptr) {
        return ft::kInvalidParameter;
    }
    const std::optional<AdapterStrings> strings = adapters.strings(index);
    if (!strings) {
        return ft::kDeviceNotOpened;  // neither the adapter nor sysfs would tell
    }
    putListText(arg2, listText(*strings, flags));
    return ft::kOk;
}

FtStatus LibFtdiDriver::listAll(void* arg1, void* arg2, FtDword flags) {
    // arg1: the caller's buffers, a null-terminated array of pointers;
    // arg2: where the number of adapters goes.
    if (arg1 == nullptr || arg2 == nullptr) {
        return ft::kInvalidParameter;
    }
    const AdapterList adapters(listing_.get(), sysfsRoot_, log_);
    if (!adapters.listed()) {
        return ft::kIoError;
    }
    auto* const* buffers = static_cast<void* const*>(arg1);
    for (std::size_t i = 0; i < adapters.size() && buffers[i] != nullptr; ++i) {
        const std::optional<AdapterStrings> strings = adapters.strings(i);
        putListText(buffers[i], strings ? listText(*strings, flags) : std::string());
    }
    putDword(arg2, clampToDword(adapters.size()));
    return ft::kOk;
}

FtStatus LibFtdiDriver::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    if (!usable()) {
        return kNotUsable;
    }
    lastOpenFailure_.reset();
    if (handle == nullptr || arg1 == nullptr) {
        return ft::kInvalidParameter;
    }
    const bool byDescription = (flags & ft::kOpenByDescription) != 0;
    const bool bySerial = (flags & ft::kOpenBySerialNumber) != 0;
    if (!byDescription && !bySerial) {
        // Opening by location is not offered: no adapter is found by one.
        return (flags & ft::kOpenByLocation) != 0 ? ft::kDeviceNotFound : ft::kInvalidParameter;
    }
    return open(textArgument(arg1), byDescription, handle);
}

FtStatus LibFtdiDriver::openFirstMatch(ftdi_context* context, const std::string& wanted,
                                       bool byDescription, diagnosis::AdapterFacts& chosen) {
    const AdapterList adapters(context, sysfsRoot_, log_);
    if (!adapters.listed()) {
        return ft::kIoError;
    }
    bool matched = false;
    libusb_device* device = nullptr;
    for (std::size_t i = 0; i < adapters.size() && device == nullptr; ++i) {
        const std::optional<AdapterStrings> strings = adapters.strings(i);
        if (!strings || (byDescription ? strings->description : strings->serial) != wanted) {
            continue;
        }
        matched = true;
        chosen = describeAdapter(adapters.device(i));
        chosen.description = strings->description;
        chosen.serial = strings->serial;
        if (!holds({chosen.bus, chosen.address})) {
            device = adapters.device(i);
        }
    }
    if (device == nullptr) {
        return matched ? ft::kDeviceNotOpened : ft::kDeviceNotFound;
    }
    context->module_detach_mode = AUTO_DETACH_REATACH_SIO_MODULE;
    if (const int result = ftdi_usb_open_dev(context, device); result != 0) {
        logIf(log_, LogArea::Usb, [&] {
            return "libftdi: opening \"" + chosen.description + "\" (serial " + chosen.serial +
                   ") failed: " + ftdiError(context) + " (" + std::to_string(result) + ")";
        });
        // libftdi keeps libusb's reason to itself; libusb tells it again.
        lastOpenFailure_ = probeAdapter(device, sysfsRoot_, ClaimTest::Always);
        if (lastOpenFailure_->open == diagnosis::OpenOutcome::Opened) {
            lastOpenFailure_->open = diagnosis::OpenOutcome::Failed;
            lastOpenFailure_->openDetail = ftdiError(context);
        }
        return ft::kDeviceNotOpened;
    }
    return ft::kOk;
}

FtStatus LibFtdiDriver::open(const std::string& wanted, bool byDescription, FtHandle* handle) {
    FtdiContext context = newFtdiContext();
    if (!context) {
        logIf(log_, LogArea::Usb, [&] {
            return "libftdi: no context for opening \"" + wanted + "\" (libusb_init failed)";
        });
        return ft::kDeviceNotOpened;
    }
    diagnosis::AdapterFacts chosen;
    if (const FtStatus status = openFirstMatch(context.get(), wanted, byDescription, chosen);
        status != ft::kOk) {
        return status;
    }
    auto adapter = std::make_unique<OpenAdapter>(
        std::move(context), UsbAddress{chosen.bus, chosen.address}, chosen.description, log_);
    std::string why = adapter->setVendorDefaults();
    if (why.empty()) {
        why = adapter->startReceiving();
    }
    if (!why.empty()) {
        logIf(log_, LogArea::Usb,
              [&] { return "libftdi: setting up \"" + chosen.description + "\" failed: " + why; });
        chosen.open = diagnosis::OpenOutcome::Failed;
        chosen.openDetail = why;
        lastOpenFailure_ = chosen;
        return ft::kDeviceNotOpened;
    }
    nextHandle_ += kHandleStride;
    const std::uintptr_t key = kHandleBase + nextHandle_;
    adapters_.emplace(key, std::move(adapter));
    *handle = reinterpret_cast<FtHandle>(key);
    logIf(log_, LogArea::Usb, [&] {
        return "libftdi: opened \"" + chosen.description + "\" (serial " + chosen.serial +
               ") on bus " + std::to_string(chosen.bus) + " address " +
               std::to_string(chosen.address);
    });
    return ft::kOk;
}

FtStatus LibFtdiDriver::resetDevice(FtHandle handle) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    return adapter->reset();
}

FtStatus LibFtdiDriver::purge(FtHandle handle, FtDword mask) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    return adapter->purge(mask);
}

FtStatus LibFtdiDriver::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                              FtDword* bytesWritten) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
        return ft::kInvalidParameter;
    }
    return adapter->write(static_cast<const std::uint8_t*>(buffer), bytesToWrite, *bytesWritten);
}

FtStatus LibFtdiDriver::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (rxBytes == nullptr) {
        return ft::kInvalidParameter;
    }
    return adapter->queueStatus(*rxBytes);
}

FtStatus LibFtdiDriver::setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    return adapter->setTimeouts(readTimeout, writeTimeout);
}

FtStatus LibFtdiDriver::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                             FtDword* bytesReturned) {
    OpenAdapter* adapter = nullptr;
    if (const FtStatus status = liveAdapter(handle, adapter); status != ft::kOk) {
        return status;
    }
    if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
        return ft::kInvalidParameter;
    }
    return adapter->read(static_cast<std::uint8_t*>(buffer), bytesToRead, *bytesReturned);
}

FtStatus LibFtdiDriver::close(FtHandle handle) {
    if (!usable()) {
        return kNotUsable;
    }
    // An adapter that has gone can still be closed.
    const auto found = adapters_.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == adapters_.end()) {
        return ft::kInvalidHandle;
    }
    const std::string name = found->second->name();
    adapters_.erase(found);
    logIf(log_, LogArea::Usb, [&] { return "libftdi: closed \"" + name + "\""; });
    return ft::kOk;
}

}  // namespace quarn::libftdi
