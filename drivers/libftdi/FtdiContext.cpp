#include "drivers/libftdi/FtdiContext.h"

#include <ftdi.h>

namespace quarn::libftdi {

void FtdiContextFree::operator()(ftdi_context* context) const {
    ftdi_free(context);
}

FtdiContext newFtdiContext() {
    return FtdiContext(ftdi_new());
}

std::string ftdiError(ftdi_context* context) {
    const char* text = context != nullptr ? ftdi_get_error_string(context) : nullptr;
    return text != nullptr ? text : "no detail";
}

}  // namespace quarn::libftdi
