#pragma once
// Every FTDI adapter on this machine's USB buses, with what can be learnt
// about each without the programmer's help: where it sits, what it calls
// itself, which kernel driver holds it and whether this program may open it.

#include <string>

#include "drivers/diagnosis/AdapterFacts.h"

namespace quarn::libftdi {

// Where the kernel shows USB devices.
inline constexpr char kSysfsUsbDevices[] = "/sys/bus/usb/devices";

// Each adapter is opened to read its strings and ask after its kernel driver,
// then closed. Only an adapter that may be the programmer and that no kernel
// driver holds has its interface claimed for a moment, to tell whether
// another program holds it; no adapter is ever taken from its kernel driver.
// When libusb cannot be started the result says why and lists nothing.
diagnosis::SurveyResult surveyFtdiAdapters(const std::string& sysfsRoot = kSysfsUsbDevices);

}  // namespace quarn::libftdi
