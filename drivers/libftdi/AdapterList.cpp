#include "drivers/libftdi/AdapterList.h"

#include <ftdi.h>

#include <array>

#include "drivers/libftdi/FtdiContext.h"
#include "drivers/libftdi/SysfsDevice.h"

namespace quarn::libftdi {

namespace {
// USB string descriptors hold at most 126 characters.
constexpr int kStringBuffer = 128;
constexpr int kMaxPortDepth = 7;
}  // namespace

AdapterList::AdapterList(ftdi_context* context, const std::string& sysfsRoot, DevLog& log)
    : context_(context), sysfsRoot_(sysfsRoot), log_(log) {
    // Vendor and product 0 ask for the FTDI ids libftdi knows.
    const int found = ftdi_usb_find_all(context_, &list_, 0, 0);
    if (found < 0) {
        logIf(log_, LogArea::Usb, [&] {
            return "libftdi: listing the adapters failed: " + ftdiError(context_) + " (" +
                   std::to_string(found) + ")";
        });
        return;
    }
    listed_ = true;
    for (const ftdi_device_list* entry = list_; entry != nullptr; entry = entry->next) {
        devices_.push_back(entry->dev);
    }
}

AdapterList::~AdapterList() {
    ftdi_list_free(&list_);
}

std::optional<AdapterStrings> AdapterList::strings(std::size_t index) const {
    libusb_device* device = devices_[index];
    std::array<char, kStringBuffer> description{};
    std::array<char, kStringBuffer> serial{};
    const int read = ftdi_usb_get_strings2(context_, device, nullptr, 0, description.data(),
                                           kStringBuffer, serial.data(), kStringBuffer);
    if (read == 0) {
        return AdapterStrings{description.data(), serial.data()};
    }
    logIf(log_, LogArea::Usb, [&] {
        return "libftdi: reading the strings of adapter " + std::to_string(index) +
               " failed: " + ftdiError(context_) + " (" + std::to_string(read) + ")";
    });
    // After some failures libftdi keeps the device it opened for reading;
    // the next read would then ask that device instead of its own.
    if (context_->usb_dev != nullptr) {
        libusb_close(context_->usb_dev);
        context_->usb_dev = nullptr;
    }
    return sysfsStrings(device);
}

std::optional<AdapterStrings> AdapterList::sysfsStrings(libusb_device* device) const {
    std::array<std::uint8_t, kMaxPortDepth> ports{};
    const int depth = libusb_get_port_numbers(device, ports.data(), kMaxPortDepth);
    if (depth <= 0) {
        return std::nullopt;
    }
    const std::string name = sysfsDeviceName(libusb_get_bus_number(device),
                                             dottedPorts({ports.begin(), ports.begin() + depth}));
    std::optional<std::string> description = readSysfsAttribute(sysfsRoot_, name, "product");
    if (!description) {
        return std::nullopt;
    }
    return AdapterStrings{*description,
                          readSysfsAttribute(sysfsRoot_, name, "serial").value_or("")};
}

}  // namespace quarn::libftdi
