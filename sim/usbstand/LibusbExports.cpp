// The libusb-1.0 functions, with libusb's own names and signatures from its
// header, answered by the emulated chips of the stand-in's world. Exported
// are the functions libftdi imports and those the product's libftdi backend
// calls itself. Synchronous transfers reach the chip at once; asynchronous
// bulk transfers wait for a handle_events call (AsyncTransfers.h).

#include <sys/types.h>

#include <algorithm>

#include "sim/usbstand/AsyncTransfers.h"
#include "sim/usbstand/LibusbObjects.h"
#include "sim/usbstand/StandInWorld.h"

using quarn::usbstand::AsyncTransfers;
using quarn::usbstand::EmulatedChip;
using quarn::usbstand::StandInWorld;

namespace {

constexpr std::uint16_t kFtdiVendor = 0x0403;
constexpr std::uint16_t kFt232rProduct = 0x6001;
constexpr std::uint16_t kFt232rRelease = 0x0600;
constexpr std::uint16_t kMaxPacketSize = 64;

libusb_context* defaultContext = nullptr;

libusb_context* contextOrDefault(libusb_context* context) {
    return context != nullptr ? context : defaultContext;
}

libusb_device* deviceFor(libusb_context* context, const std::shared_ptr<EmulatedChip>& chip) {
    libusb_device*& device = context->devices[chip.get()];
    if (device == nullptr) {
        device = new libusb_device{context, chip, 0};
    }
    return device;
}

// The configuration descriptor with everything it points to, in one block
// that libusb_free_config_descriptor releases.
struct ConfigBlock {
    libusb_config_descriptor config;
    libusb_interface interface;
    libusb_interface_descriptor setting;
    libusb_endpoint_descriptor endpoints[2];
};

libusb_endpoint_descriptor bulkEndpoint(std::uint8_t address) {
    return libusb_endpoint_descriptor{LIBUSB_DT_ENDPOINT_SIZE,
                                      LIBUSB_DT_ENDPOINT,
                                      address,
                                      LIBUSB_TRANSFER_TYPE_BULK,
                                      kMaxPacketSize,
                                      0,
                                      0,
                                      0,
                                      nullptr,
                                      0};
}

void releaseInterface(libusb_device_handle* handle) {
    if (handle->claimed) {
        handle->device->chip->release(handle->driverHandle, handle->detachedForClaim);
        handle->claimed = false;
        handle->detachedForClaim = false;
        handle->driverHandle = nullptr;
    }
}

void closeHandle(libusb_device_handle* handle) {
    AsyncTransfers::instance().abandon(handle);
    releaseInterface(handle);
    handle->device->context->handles.erase(handle);
    libusb_unref_device(handle->device);
    delete handle;
    --StandInWorld::instance().openHandles;
}

}  // namespace

extern "C" {

int LIBUSB_CALL libusb_init(libusb_context** context) {
    StandInWorld& world = StandInWorld::instance();
    if (world.initFailure != 0) {
        return world.initFailure;
    }
    auto* made = new libusb_context;
    ++world.liveContexts;
    if (context != nullptr) {
        *context = made;
    } else if (defaultContext == nullptr) {
        defaultContext = made;
    } else {
        delete made;
        --world.liveContexts;
    }
    return LIBUSB_SUCCESS;
}

void LIBUSB_CALL libusb_exit(libusb_context* context) {
    libusb_context* exiting = contextOrDefault(context);
    if (exiting == nullptr) {
        return;
    }
    while (!exiting->handles.empty()) {
        closeHandle(*exiting->handles.begin());
    }
    for (auto& entry : exiting->devices) {
        delete entry.second;
    }
    if (exiting == defaultContext) {
        defaultContext = nullptr;
    }
    delete exiting;
    --StandInWorld::instance().liveContexts;
}

const char* LIBUSB_CALL libusb_error_name(int code) {
    switch (code) {
        case LIBUSB_SUCCESS:
            return "LIBUSB_SUCCESS";
        case LIBUSB_ERROR_IO:
            return "LIBUSB_ERROR_IO";
        case LIBUSB_ERROR_INVALID_PARAM:
            return "LIBUSB_ERROR_INVALID_PARAM";
        case LIBUSB_ERROR_ACCESS:
            return "LIBUSB_ERROR_ACCESS";
        case LIBUSB_ERROR_NO_DEVICE:
            return "LIBUSB_ERROR_NO_DEVICE";
        case LIBUSB_ERROR_NOT_FOUND:
            return "LIBUSB_ERROR_NOT_FOUND";
        case LIBUSB_ERROR_BUSY:
            return "LIBUSB_ERROR_BUSY";
        case LIBUSB_ERROR_TIMEOUT:
            return "LIBUSB_ERROR_TIMEOUT";
        case LIBUSB_ERROR_OVERFLOW:
            return "LIBUSB_ERROR_OVERFLOW";
        case LIBUSB_ERROR_PIPE:
            return "LIBUSB_ERROR_PIPE";
        case LIBUSB_ERROR_INTERRUPTED:
            return "LIBUSB_ERROR_INTERRUPTED";
        case LIBUSB_ERROR_NO_MEM:
            return "LIBUSB_ERROR_NO_MEM";
        case LIBUSB_ERROR_NOT_SUPPORTED:
            return "LIBUSB_ERROR_NOT_SUPPORTED";
        case LIBUSB_ERROR_OTHER:
            return "LIBUSB_ERROR_OTHER";
        default:
            return "**UNKNOWN**";
    }
}

ssize_t LIBUSB_CALL libusb_get_device_list(libusb_context* context, libusb_device*** list) {
    libusb_context* listing = contextOrDefault(context);
    if (listing == nullptr || list == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    const auto chips = StandInWorld::instance().refresh();
    auto* devices = new libusb_device*[chips.size() + 1];
    for (std::size_t i = 0; i < chips.size(); ++i) {
        devices[i] = libusb_ref_device(deviceFor(listing, chips[i]));
    }
    devices[chips.size()] = nullptr;
    *list = devices;
    return static_cast<ssize_t>(chips.size());
}

void LIBUSB_CALL libusb_free_device_list(libusb_device** list, int unrefDevices) {
    if (list == nullptr) {
        return;
    }
    if (unrefDevices != 0) {
        for (libusb_device** device = list; *device != nullptr; ++device) {
            libusb_unref_device(*device);
        }
    }
    delete[] list;
}

libusb_device* LIBUSB_CALL libusb_ref_device(libusb_device* device) {
    ++device->references;
    return device;
}

void LIBUSB_CALL libusb_unref_device(libusb_device* device) {
    if (device == nullptr || --device->references > 0) {
        return;
    }
    device->context->devices.erase(device->chip.get());
    delete device;
}

int LIBUSB_CALL libusb_get_device_descriptor(libusb_device* device,
                                             libusb_device_descriptor* descriptor) {
    if (device == nullptr || descriptor == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    *descriptor = libusb_device_descriptor{
        LIBUSB_DT_DEVICE_SIZE, LIBUSB_DT_DEVICE, 0x0200,         0, 0, 0, 8,
        kFtdiVendor,           kFt232rProduct,   kFt232rRelease, 1, 2, 3, 1};
    return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_get_config_descriptor(libusb_device* device, uint8_t index,
                                             libusb_config_descriptor** config) {
    if (device == nullptr || config == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (index != 0) {
        return LIBUSB_ERROR_NOT_FOUND;
    }
    auto* block = new ConfigBlock{};
    block->endpoints[0] = bulkEndpoint(0x81);
    block->endpoints[1] = bulkEndpoint(0x02);
    block->setting = libusb_interface_descriptor{LIBUSB_DT_INTERFACE_SIZE,
                                                 LIBUSB_DT_INTERFACE,
                                                 0,
                                                 0,
                                                 2,
                                                 LIBUSB_CLASS_VENDOR_SPEC,
                                                 LIBUSB_CLASS_VENDOR_SPEC,
                                                 LIBUSB_CLASS_VENDOR_SPEC,
                                                 2,
                                                 block->endpoints,
                                                 nullptr,
                                                 0};
    block->interface = libusb_interface{&block->setting, 1};
    // Bus powered, 90 mA (in units of 2 mA).
    block->config =
        libusb_config_descriptor{LIBUSB_DT_CONFIG_SIZE, LIBUSB_DT_CONFIG, 32, 1, 1, 0, 0xA0, 45,
                                 &block->interface,     nullptr,          0};
    *config = &block->config;
    return LIBUSB_SUCCESS;
}

void LIBUSB_CALL libusb_free_config_descriptor(libusb_config_descriptor* config) {
    // The descriptor is the first member of its block.
    delete reinterpret_cast<ConfigBlock*>(config);
}

uint8_t LIBUSB_CALL libusb_get_bus_number(libusb_device* device) {
    return static_cast<uint8_t>(device->chip->place().bus);
}

uint8_t LIBUSB_CALL libusb_get_device_address(libusb_device* device) {
    return static_cast<uint8_t>(device->chip->place().address);
}

int LIBUSB_CALL libusb_get_port_numbers(libusb_device* device, uint8_t* ports, int length) {
    const auto& own = device->chip->place().ports;
    if (ports == nullptr || length < static_cast<int>(own.size())) {
        return LIBUSB_ERROR_OVERFLOW;
    }
    std::copy(own.begin(), own.end(), ports);
    return static_cast<int>(own.size());
}

int LIBUSB_CALL libusb_open(libusb_device* device, libusb_device_handle** handle) {
    if (device == nullptr || handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    StandInWorld::instance().refresh();  // an adapter pulled out since the listing is gone
    if (const int refused = device->chip->open(); refused != 0) {
        return refused;
    }
    auto* opened = new libusb_device_handle{libusb_ref_device(device)};
    device->context->handles.insert(opened);
    ++StandInWorld::instance().openHandles;
    *handle = opened;
    return LIBUSB_SUCCESS;
}

void LIBUSB_CALL libusb_close(libusb_device_handle* handle) {
    if (handle != nullptr) {
        closeHandle(handle);
    }
}

int LIBUSB_CALL libusb_get_configuration(libusb_device_handle* handle, int* configuration) {
    if (handle == nullptr || configuration == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (!handle->device->chip->onBus()) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    *configuration = 1;
    return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_set_configuration(libusb_device_handle* handle, int configuration) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (handle->claimed) {
        return LIBUSB_ERROR_BUSY;
    }
    return configuration == 1 ? LIBUSB_SUCCESS : LIBUSB_ERROR_NOT_FOUND;
}

int LIBUSB_CALL libusb_claim_interface(libusb_device_handle* handle, int interfaceNumber) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (interfaceNumber != 0) {
        return LIBUSB_ERROR_NOT_FOUND;
    }
    if (handle->claimed) {
        return LIBUSB_SUCCESS;
    }
    const int result = handle->device->chip->claim(handle->autoDetach, handle->driverHandle,
                                                   handle->detachedForClaim);
    handle->claimed = result == 0;
    return result;
}

int LIBUSB_CALL libusb_release_interface(libusb_device_handle* handle, int interfaceNumber) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (interfaceNumber != 0 || !handle->claimed) {
        return LIBUSB_ERROR_NOT_FOUND;
    }
    const int result =
        handle->device->chip->release(handle->driverHandle, handle->detachedForClaim);
    handle->claimed = false;
    handle->detachedForClaim = false;
    handle->driverHandle = nullptr;
    return result;
}

int LIBUSB_CALL libusb_kernel_driver_active(libusb_device_handle* handle, int interfaceNumber) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return interfaceNumber == 0 ? handle->device->chip->kernelDriverActive()
                                : LIBUSB_ERROR_NOT_FOUND;
}

int LIBUSB_CALL libusb_detach_kernel_driver(libusb_device_handle* handle, int interfaceNumber) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return interfaceNumber == 0 ? handle->device->chip->detachKernelDriver()
                                : LIBUSB_ERROR_NOT_FOUND;
}

int LIBUSB_CALL libusb_attach_kernel_driver(libusb_device_handle* handle, int interfaceNumber) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return interfaceNumber == 0 ? handle->device->chip->attachKernelDriver()
                                : LIBUSB_ERROR_NOT_FOUND;
}

int LIBUSB_CALL libusb_set_auto_detach_kernel_driver(libusb_device_handle* handle, int enable) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    handle->autoDetach = enable != 0;
    return LIBUSB_SUCCESS;
}

int LIBUSB_CALL libusb_get_string_descriptor_ascii(libusb_device_handle* handle, uint8_t index,
                                                   unsigned char* data, int length) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return handle->device->chip->stringDescriptor(index, data, length);
}

int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* handle, uint8_t requestType,
                                        uint8_t request, uint16_t value, uint16_t index,
                                        unsigned char* data, uint16_t length,
                                        unsigned int /*timeout*/) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return handle->device->chip->control(handle->driverHandle, requestType, request, value, index,
                                         data, length);
}

int LIBUSB_CALL libusb_bulk_transfer(libusb_device_handle* handle, unsigned char endpoint,
                                     unsigned char* data, int length, int* transferred,
                                     unsigned int /*timeout*/) {
    if (handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return handle->device->chip->bulk(handle->driverHandle, endpoint, data, length, transferred);
}

libusb_transfer* LIBUSB_CALL libusb_alloc_transfer(int isoPackets) {
    return AsyncTransfers::instance().allocate(isoPackets);
}

void LIBUSB_CALL libusb_free_transfer(libusb_transfer* transfer) {
    AsyncTransfers::instance().release(transfer);
}

int LIBUSB_CALL libusb_submit_transfer(libusb_transfer* transfer) {
    return AsyncTransfers::instance().submit(transfer);
}

int LIBUSB_CALL libusb_cancel_transfer(libusb_transfer* transfer) {
    return AsyncTransfers::instance().cancel(transfer);
}

int LIBUSB_CALL libusb_handle_events_timeout_completed(libusb_context* context, timeval* tv,
                                                       int* completed) {
    libusb_context* handling = contextOrDefault(context);
    if (handling == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    return AsyncTransfers::instance().handleEvents(handling, tv, completed);
}

int LIBUSB_CALL libusb_handle_events_timeout(libusb_context* context, timeval* tv) {
    return libusb_handle_events_timeout_completed(context, tv, nullptr);
}

// Without a time-out libusb would wait as long as it takes.
int LIBUSB_CALL libusb_handle_events_completed(libusb_context* context, int* completed) {
    return libusb_handle_events_timeout_completed(context, nullptr, completed);
}

int LIBUSB_CALL libusb_handle_events(libusb_context* context) {
    return libusb_handle_events_timeout_completed(context, nullptr, nullptr);
}

}  // extern "C"
