#pragma once
// What the kernel tells about a USB device in sysfs, readable without the
// device-node permissions libusb needs: its strings and the driver bound to
// its first interface. The device's directory is <root>/<bus>-<ports>, e.g.
// /sys/bus/usb/devices/1-1.4, its first interface's <root>/1-1.4:1.0.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "drivers/diagnosis/AdapterFacts.h"

namespace quarn::libftdi {

// "1.4" for ports {1, 4}.
std::string dottedPorts(const std::vector<std::uint8_t>& ports);
// "1-1.4" for bus 1, ports "1.4".
std::string sysfsDeviceName(int bus, const std::string& dottedPorts);

// The attribute's first line (product, serial, ...); nothing when the file
// is missing or unreadable.
std::optional<std::string> readSysfsAttribute(const std::string& root, const std::string& device,
                                              const std::string& attribute);

struct SysfsKernelDriver {
    diagnosis::KernelDriver state = diagnosis::KernelDriver::Unknown;
    std::string name;  // the bound driver's name, "ftdi_sio"
};

// From the first interface's driver link: Attached with the driver's name,
// None when the interface is there without a driver, Unknown when sysfs does
// not show the interface.
SysfsKernelDriver sysfsKernelDriver(const std::string& root, const std::string& device);

}  // namespace quarn::libftdi
