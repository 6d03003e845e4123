#include "drivers/libftdi/UsbSurvey.h"

#include <libusb.h>

#include "drivers/libftdi/AdapterProbe.h"

namespace quarn::libftdi {

diagnosis::SurveyResult surveyFtdiAdapters(const std::string& sysfsRoot) {
    diagnosis::SurveyResult result;
    libusb_context* context = nullptr;
    if (const int started = libusb_init(&context); started != 0) {
        result.failure = std::string("libusb could not be started: ") + libusb_error_name(started);
        return result;
    }
    result.usbUsable = true;
    libusb_device** devices = nullptr;
    const ssize_t count = libusb_get_device_list(context, &devices);
    if (count < 0) {
        result.failure = std::string("libusb could not list the USB devices: ") +
                         libusb_error_name(static_cast<int>(count));
        libusb_exit(context);
        return result;
    }
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(devices[i], &descriptor) == 0 &&
            isFtdiAdapter(descriptor.idVendor, descriptor.idProduct)) {
            result.adapters.push_back(probeAdapter(devices[i], sysfsRoot, ClaimTest::Harmless));
        }
    }
    libusb_free_device_list(devices, 1);
    libusb_exit(context);
    return result;
}

}  // namespace quarn::libftdi
