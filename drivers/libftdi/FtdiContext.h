#pragma once
// A libftdi context, owned: freeing it frees its libusb context and closes
// any device it still holds.

#include <memory>
#include <string>

struct ftdi_context;

namespace quarn::libftdi {

struct FtdiContextFree {
    void operator()(ftdi_context* context) const;
};

using FtdiContext = std::unique_ptr<ftdi_context, FtdiContextFree>;

// A new context; null when it cannot be made (libusb cannot be started).
FtdiContext newFtdiContext();

// libftdi's own words for the context's last failure.
std::string ftdiError(ftdi_context* context);

}  // namespace quarn::libftdi
