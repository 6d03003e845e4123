#pragma once
// The facts of one FTDI adapter as libusb shows it, for the survey and for
// the backend after an open failed. Inside the libftdi backend only: it
// speaks libusb's types.

#include <libusb.h>

#include <cstdint>
#include <string>

#include "drivers/diagnosis/AdapterFacts.h"

namespace quarn::libftdi {

// The vendor and product ids libftdi looks for when given none.
bool isFtdiAdapter(std::uint16_t vendorId, std::uint16_t productId);

// Opened for a libusb result of 0, otherwise what kept the device closed.
diagnosis::OpenOutcome openOutcome(int libusbResult);

// Ids, bus, address, ports and device node: what needs no opening.
diagnosis::AdapterFacts describeAdapter(libusb_device* device);

// How far the probe may go to learn whether another program holds the
// adapter: a claim of its interface, for a moment.
enum class ClaimTest {
    // Only an adapter that may be the programmer and that no kernel driver
    // holds: a survey never takes any adapter from its driver.
    Harmless,
    // Also with a bound kernel driver detached for that moment: for the
    // adapter the program itself just failed to open.
    Always,
};

// Everything AdapterFacts holds. Opens the device to read its strings and
// ask after its kernel driver, and may claim its interface (see ClaimTest).
// What the device will not tell comes from sysfs.
diagnosis::AdapterFacts probeAdapter(libusb_device* device, const std::string& sysfsRoot,
                                     ClaimTest claimTest);

}  // namespace quarn::libftdi
