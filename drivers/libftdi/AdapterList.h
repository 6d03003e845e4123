#pragma once
// The FTDI adapters libftdi finds on the USB buses, in the buses' order, with
// their product strings (the vendor's "description") and serial numbers.
// These are read from the device; when it cannot be opened (the user may
// not have permission) they come from sysfs, so that such an adapter is
// still listed by its description. Inside the libftdi backend only.

#include <libusb.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/DevLog.h"

struct ftdi_context;
struct ftdi_device_list;

namespace quarn::libftdi {

struct AdapterStrings {
    std::string description;
    std::string serial;
};

class AdapterList {
  public:
    // Lists through the context, which must not hold a device of its own.
    AdapterList(ftdi_context* context, const std::string& sysfsRoot, DevLog& log);
    ~AdapterList();
    AdapterList(const AdapterList&) = delete;
    AdapterList& operator=(const AdapterList&) = delete;

    // False when libusb could not list the devices.
    bool listed() const { return listed_; }
    std::size_t size() const { return devices_.size(); }
    libusb_device* device(std::size_t index) const { return devices_[index]; }
    // Nothing when neither the device nor sysfs tells.
    std::optional<AdapterStrings> strings(std::size_t index) const;

  private:
    std::optional<AdapterStrings> sysfsStrings(libusb_device* device) const;

    ftdi_context* context_;
    const std::string& sysfsRoot_;
    DevLog& log_;
    ftdi_device_list* list_ = nullptr;
    std::vector<libusb_device*> devices_;
    bool listed_ = false;
};

}  // namespace quarn::libftdi
