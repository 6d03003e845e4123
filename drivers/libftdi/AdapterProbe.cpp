#include "drivers/libftdi/AdapterProbe.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "drivers/diagnosis/Findings.h"
#include "drivers/libftdi/SysfsDevice.h"

namespace quarn::libftdi {

namespace {

using diagnosis::AdapterFacts;
using diagnosis::KernelDriver;
using diagnosis::OpenOutcome;

constexpr std::uint16_t kFtdiVendor = 0x0403;
constexpr std::array<std::uint16_t, 5> kFtdiProducts{0x6001, 0x6010, 0x6011, 0x6014, 0x6015};
constexpr int kInterface = 0;
// USB allows seven tiers of hubs below the root.
constexpr int kMaxPortDepth = 7;
constexpr int kMaxStringLength = 256;
constexpr char kSerialDriver[] = "ftdi_sio";

std::string stringDescriptor(libusb_device_handle* handle, std::uint8_t index) {
    if (index == 0) {
        return {};
    }
    std::array<unsigned char, kMaxStringLength> text{};
    const int length = libusb_get_string_descriptor_ascii(handle, index, text.data(),
                                                          static_cast<int>(text.size()));
    if (length <= 0) {
        return {};
    }
    return {reinterpret_cast<const char*>(text.data()), static_cast<std::size_t>(length)};
}

void readStrings(libusb_device* device, libusb_device_handle* handle, AdapterFacts& facts) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) != 0) {
        return;
    }
    facts.description = stringDescriptor(handle, descriptor.iProduct);
    facts.serial = stringDescriptor(handle, descriptor.iSerialNumber);
}

void readSysfsStrings(const std::string& root, const std::string& name, AdapterFacts& facts) {
    if (facts.description.empty()) {
        facts.description = readSysfsAttribute(root, name, "product").value_or("");
    }
    if (facts.serial.empty()) {
        facts.serial = readSysfsAttribute(root, name, "serial").value_or("");
    }
}

void askKernelDriver(libusb_device_handle* handle, const SysfsKernelDriver& sysfs,
                     AdapterFacts& facts) {
    const int active = libusb_kernel_driver_active(handle, kInterface);
    if (active < 0) {
        facts.kernelDriver = sysfs.state;
        facts.kernelDriverName = sysfs.name;
        return;
    }
    facts.kernelDriver = active == 1 ? KernelDriver::Attached : KernelDriver::None;
    if (active == 1) {
        facts.kernelDriverName = sysfs.name.empty() ? kSerialDriver : sysfs.name;
    }
}

// Claims the interface to learn whether another program holds it. A survey
// runs again after every failed open, and must never take another adapter (a
// serial console, say) from its driver, nor keep taking the programmer's.
void tryClaim(libusb_device_handle* handle, ClaimTest claimTest, AdapterFacts& facts) {
    facts.open = OpenOutcome::Opened;  // the device node opened
    const bool mayBeProgrammer =
        facts.description.empty() || facts.description == diagnosis::kProgrammerDescription;
    const bool harmless = mayBeProgrammer && facts.kernelDriver != KernelDriver::Attached;
    if (claimTest == ClaimTest::Harmless && !harmless) {
        return;
    }
    const int claimed = libusb_claim_interface(handle, kInterface);
    facts.open = openOutcome(claimed);
    if (claimed != 0) {
        facts.openDetail = libusb_error_name(claimed);
        return;
    }
    libusb_release_interface(handle, kInterface);
}

}  // namespace

bool isFtdiAdapter(std::uint16_t vendorId, std::uint16_t productId) {
    return vendorId == kFtdiVendor &&
           std::find(kFtdiProducts.begin(), kFtdiProducts.end(), productId) != kFtdiProducts.end();
}

OpenOutcome openOutcome(int libusbResult) {
    switch (libusbResult) {
        case 0:
            return OpenOutcome::Opened;
        case LIBUSB_ERROR_ACCESS:
            return OpenOutcome::AccessDenied;
        case LIBUSB_ERROR_BUSY:
            return OpenOutcome::Busy;
        case LIBUSB_ERROR_NO_DEVICE:
            return OpenOutcome::Gone;
        default:
            return OpenOutcome::Failed;
    }
}

AdapterFacts describeAdapter(libusb_device* device) {
    AdapterFacts facts;
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(device, &descriptor) == 0) {
        facts.vendorId = descriptor.idVendor;
        facts.productId = descriptor.idProduct;
    }
    facts.bus = libusb_get_bus_number(device);
    facts.address = libusb_get_device_address(device);
    std::array<std::uint8_t, kMaxPortDepth> ports{};
    const int depth = libusb_get_port_numbers(device, ports.data(), kMaxPortDepth);
    if (depth > 0) {
        facts.port = dottedPorts({ports.begin(), ports.begin() + depth});
    }
    std::array<char, 32> node{};
    std::snprintf(node.data(), node.size(), "/dev/bus/usb/%03d/%03d", facts.bus, facts.address);
    facts.nodePath = node.data();
    return facts;
}

AdapterFacts probeAdapter(libusb_device* device, const std::string& sysfsRoot,
                          ClaimTest claimTest) {
    AdapterFacts facts = describeAdapter(device);
    const std::string sysfsName = sysfsDeviceName(facts.bus, facts.port);
    const SysfsKernelDriver sysfsDriver = sysfsKernelDriver(sysfsRoot, sysfsName);

    libusb_device_handle* handle = nullptr;
    const int opened = libusb_open(device, &handle);
    // Opening the device node is the test of this user's access to it.
    facts.nodeAccess = opened == 0                     ? diagnosis::NodeAccess::Allowed
                       : opened == LIBUSB_ERROR_ACCESS ? diagnosis::NodeAccess::Denied
                                                       : diagnosis::NodeAccess::Unknown;
    if (opened != 0) {
        facts.open = openOutcome(opened);
        facts.openDetail = libusb_error_name(opened);
        facts.kernelDriver = sysfsDriver.state;
        facts.kernelDriverName = sysfsDriver.name;
        readSysfsStrings(sysfsRoot, sysfsName, facts);
        return facts;
    }
    readStrings(device, handle, facts);
    readSysfsStrings(sysfsRoot, sysfsName, facts);
    askKernelDriver(handle, sysfsDriver, facts);
    tryClaim(handle, claimTest, facts);
    libusb_close(handle);
    return facts;
}

}  // namespace quarn::libftdi
