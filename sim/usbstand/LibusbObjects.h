#pragma once
// What the stand-in's libusb objects hold: a context owns the device objects
// it has listed and knows its open handles; a device object stands for one
// emulated chip and lives while something holds a reference (a device list,
// an open handle); a handle is one opener's claim on the chip's interface.
// libusb declares these types opaque; only the stand-in's own files look
// inside.

#include <map>
#include <memory>
#include <set>

#include "sim/usbstand/EmulatedChip.h"

#pragma GCC visibility push(default)
#include <libusb.h>
#pragma GCC visibility pop

struct libusb_context {
    std::map<const quarn::usbstand::EmulatedChip*, libusb_device*> devices;
    std::set<libusb_device_handle*> handles;
};

struct libusb_device {
    libusb_context* context;
    std::shared_ptr<quarn::usbstand::EmulatedChip> chip;
    int references;
};

struct libusb_device_handle {
    libusb_device* device = nullptr;
    bool autoDetach = false;
    bool claimed = false;
    bool detachedForClaim = false;
    quarn::FtHandle driverHandle = nullptr;
};
