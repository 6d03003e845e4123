#include "sim/usbstand/EmulatedChip.h"

#include <libusb.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace quarn::usbstand {

namespace {

constexpr char kManufacturer[] = "FTDI";
constexpr std::uint8_t kManufacturerIndex = 1;
constexpr std::uint8_t kProductIndex = 2;
constexpr std::uint8_t kSerialIndex = 3;

constexpr unsigned char kBulkOut = 0x02;
constexpr unsigned char kBulkIn = 0x81;
constexpr int kPacketSize = 64;
constexpr int kStatusBytes = 2;
constexpr int kPacketData = kPacketSize - kStatusBytes;
// The modem status and line status bytes (transmitter empty) that lead every
// bulk IN packet, as an idle FT232R sends them.
constexpr std::array<unsigned char, kStatusBytes> kStatus{0x01, 0x60};

// Request types: vendor requests to the device, and the standard ones.
constexpr std::uint8_t requestType(int type, int direction) {
    return static_cast<std::uint8_t>(type | LIBUSB_RECIPIENT_DEVICE | direction);
}
constexpr std::uint8_t kVendorOut = requestType(LIBUSB_REQUEST_TYPE_VENDOR, LIBUSB_ENDPOINT_OUT);
constexpr std::uint8_t kVendorIn = requestType(LIBUSB_REQUEST_TYPE_VENDOR, LIBUSB_ENDPOINT_IN);
constexpr std::uint8_t kStandardIn = requestType(LIBUSB_REQUEST_TYPE_STANDARD, LIBUSB_ENDPOINT_IN);

// The chip's vendor requests.
enum Request : std::uint8_t {
    kReset = 0x00,
    kModemControl = 0x01,
    kSetFlowControl = 0x02,
    kSetBaudRate = 0x03,
    kSetData = 0x04,
    kPollModemStatus = 0x05,
    kSetEventChar = 0x06,
    kSetErrorChar = 0x07,
    kSetLatencyTimer = 0x09,
    kGetLatencyTimer = 0x0A,
    kSetBitMode = 0x0B,
};
// The values of the reset request: the whole port, the FIFO towards the
// serial line, the FIFO towards the host.
constexpr std::uint16_t kResetPort = 0;
constexpr std::uint16_t kPurgeTowardsLine = 1;
constexpr std::uint16_t kPurgeTowardsHost = 2;

// The FT232R's baud rate generator: 3 MHz divided by a 14-bit integer and a
// fraction in eighths, whose three-bit code is spread over the request's
// value (bits 14 and 15) and index (bit 0). Divisors 0 and 1 are special.
int decodeBaudRate(std::uint16_t value, std::uint16_t index) {
    static constexpr std::array<int, 8> kEighthsOfCode{0, 4, 2, 1, 3, 5, 6, 7};
    const int whole = value & 0x3FFF;
    const int code = ((value >> 14) & 0x3) | ((index & 0x1) << 2);
    if (code == 0 && whole == 0) {
        return 3'000'000;
    }
    if (code == 0 && whole == 1) {
        return 2'000'000;
    }
    const int eighths = whole * 8 + kEighthsOfCode[static_cast<std::size_t>(code)];
    constexpr int kEighthsClock = 24'000'000;  // 3 MHz counted in eighths
    return (kEighthsClock + eighths / 2) / eighths;
}

Parity decodeParity(std::uint16_t value) {
    switch ((value >> 8) & 0x7) {
        case 1:
            return Parity::Odd;
        case 2:
            return Parity::Even;
        case 3:
            return Parity::Mark;
        case 4:
            return Parity::Space;
        default:
            return Parity::None;
    }
}

StopBits decodeStopBits(std::uint16_t value) {
    switch ((value >> 11) & 0x3) {
        case 1:
            return StopBits::OnePointFive;
        case 2:
            return StopBits::Two;
        default:
            return StopBits::One;
    }
}

FlowControl decodeFlowControl(std::uint16_t index) {
    switch (index & 0xFF00) {
        case 0x0100:
            return FlowControl::RtsCts;
        case 0x0200:
            return FlowControl::DtrDsr;
        case 0x0400:
            return FlowControl::XonXoff;
        default:
            return FlowControl::None;
    }
}

}  // namespace

EmulatedChip::EmulatedChip(D2xxDriver& bus, std::string serial)
    : bus_(bus), serial_(std::move(serial)) {}

void EmulatedChip::bindKernelDriver() {
    kernelDriverKnown_ = true;
    kernelDriverBound_ = true;
}

ChipReport EmulatedChip::report() const {
    return ChipReport{line_, kernelDriverBound_, kernelDriverDetaches_, kernelDriverAttaches_,
                      claims_ > 0};
}

int EmulatedChip::reach(FtHandle driverHandle) const {
    if (vanished_) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    if (driverHandle == nullptr) {
        return plugged_ ? 0 : LIBUSB_ERROR_NO_DEVICE;
    }
    // Setting time-outs changes nothing in the simulation but fails once the
    // adapter behind this handle has been pulled out, even if it is back.
    return bus_.setTimeouts(driverHandle, 0, 0) == ft::kOk ? 0 : LIBUSB_ERROR_NO_DEVICE;
}

int EmulatedChip::open() const {
    if (!onBus()) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    return faults_.denyAccess ? LIBUSB_ERROR_ACCESS : 0;
}

int EmulatedChip::claim(bool autoDetach, FtHandle& driverHandle, bool& detached) {
    detached = false;
    if (const int gone = reach(nullptr); gone != 0) {
        return gone;
    }
    if (faults_.interfaceBusy) {
        return LIBUSB_ERROR_BUSY;
    }
    if (kernelDriverBound_) {
        if (!autoDetach) {
            return LIBUSB_ERROR_BUSY;
        }
        detachKernelDriver();
        detached = true;
    }
    // The simulated bus opens an adapter once; a second opener finds it busy.
    std::string serial = serial_;
    const FtStatus status = bus_.openEx(serial.data(), ft::kOpenBySerialNumber, &driverHandle);
    if (status != ft::kOk) {
        if (detached) {
            attachKernelDriver();
            detached = false;
        }
        return status == ft::kDeviceNotOpened ? LIBUSB_ERROR_BUSY : LIBUSB_ERROR_NO_DEVICE;
    }
    ++claims_;
    return 0;
}

int EmulatedChip::release(FtHandle driverHandle, bool detached) {
    const int gone = reach(driverHandle);
    bus_.close(driverHandle);
    --claims_;
    if (gone != 0) {
        return gone;
    }
    if (detached) {
        attachKernelDriver();
    }
    return 0;
}

int EmulatedChip::kernelDriverActive() const {
    if (const int gone = reach(nullptr); gone != 0) {
        return gone;
    }
    return kernelDriverBound_ ? 1 : 0;
}

int EmulatedChip::detachKernelDriver() {
    if (const int gone = reach(nullptr); gone != 0) {
        return gone;
    }
    if (!kernelDriverBound_) {
        return LIBUSB_ERROR_NOT_FOUND;
    }
    kernelDriverBound_ = false;
    ++kernelDriverDetaches_;
    return 0;
}

int EmulatedChip::attachKernelDriver() {
    if (const int gone = reach(nullptr); gone != 0) {
        return gone;
    }
    if (!kernelDriverKnown_) {
        return LIBUSB_ERROR_NOT_FOUND;
    }
    if (kernelDriverBound_ || claims_ > 0) {
        return LIBUSB_ERROR_BUSY;
    }
    kernelDriverBound_ = true;
    ++kernelDriverAttaches_;
    return 0;
}

int EmulatedChip::stringDescriptor(std::uint8_t index, unsigned char* data, int length) const {
    if (const int gone = reach(nullptr); gone != 0) {
        return gone;
    }
    if (data == nullptr || length <= 0) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    const std::string* text = nullptr;
    const std::string manufacturer = kManufacturer;
    switch (index) {
        case kManufacturerIndex:
            text = &manufacturer;
            break;
        case kProductIndex:
            text = &description_;
            break;
        case kSerialIndex:
            text = &serial_;
            break;
        default:
            return LIBUSB_ERROR_PIPE;  // the chip stalls on a string it does not have
    }
    const int copied = std::min(static_cast<int>(text->size()), length - 1);
    std::memcpy(data, text->data(), static_cast<std::size_t>(copied));
    data[copied] = '\0';
    return copied;
}

int EmulatedChip::control(FtHandle driverHandle, std::uint8_t requestType, std::uint8_t request,
                          std::uint16_t value, std::uint16_t index, unsigned char* data,
                          std::uint16_t length) {
    if (const int gone = reach(driverHandle); gone != 0) {
        return gone;
    }
    if (requestType == kStandardIn && request == LIBUSB_REQUEST_GET_STATUS) {
        // Bus powered, no remote wake-up.
        if (data == nullptr || length < 2) {
            return LIBUSB_ERROR_INVALID_PARAM;
        }
        data[0] = 0;
        data[1] = 0;
        return 2;
    }
    if (requestType == kVendorOut) {
        return vendorOut(driverHandle, request, value, index);
    }
    if (requestType == kVendorIn) {
        return vendorIn(request, data, length);
    }
    return LIBUSB_ERROR_PIPE;
}

int EmulatedChip::vendorOut(FtHandle driverHandle, std::uint8_t request, std::uint16_t value,
                            std::uint16_t index) {
    switch (request) {
        case kReset: {
            // Before the interface is claimed nobody has the adapter open on
            // the bus, so there is nothing there to reset or purge.
            FtStatus status = ft::kOk;
            if (driverHandle != nullptr && value == kResetPort) {
                status = bus_.resetDevice(driverHandle);
            } else if (driverHandle != nullptr && value == kPurgeTowardsHost) {
                status = bus_.purge(driverHandle, ft::kPurgeRx);
            } else if (driverHandle != nullptr && value == kPurgeTowardsLine) {
                status = bus_.purge(driverHandle, ft::kPurgeTx);
            }
            return status == ft::kOk ? 0 : LIBUSB_ERROR_NO_DEVICE;
        }
        case kSetBaudRate:
            line_.baudRate = decodeBaudRate(value, index);
            return 0;
        case kSetData:
            line_.dataBits = value & 0xFF;
            line_.parity = decodeParity(value);
            line_.stopBits = decodeStopBits(value);
            return 0;
        case kSetFlowControl:
            line_.flowControl = decodeFlowControl(index);
            return 0;
        case kSetLatencyTimer:
            line_.latencyMs = value & 0xFF;
            return 0;
        case kModemControl:
        case kSetEventChar:
        case kSetErrorChar:
        case kSetBitMode:
            return 0;  // taken, and of no consequence for the simulation
        default:
            return LIBUSB_ERROR_PIPE;
    }
}

int EmulatedChip::vendorIn(std::uint8_t request, unsigned char* data, std::uint16_t length) const {
    if (data == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    switch (request) {
        case kPollModemStatus:
            if (length < kStatusBytes) {
                return LIBUSB_ERROR_OVERFLOW;
            }
            std::memcpy(data, kStatus.data(), kStatus.size());
            return kStatusBytes;
        case kGetLatencyTimer:
            if (length < 1) {
                return LIBUSB_ERROR_OVERFLOW;
            }
            data[0] = static_cast<unsigned char>(line_.latencyMs);
            return 1;
        default:
            return LIBUSB_ERROR_PIPE;
    }
}

int EmulatedChip::bulk(FtHandle driverHandle, unsigned char endpoint, unsigned char* data,
                       int length, int* transferred) {
    if (transferred != nullptr) {
        *transferred = 0;
    }
    if (data == nullptr || length < 0 || transferred == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (const int gone = reach(driverHandle); gone != 0) {
        return gone;
    }
    if (driverHandle == nullptr) {
        return LIBUSB_ERROR_NOT_FOUND;  // the endpoints belong to an unclaimed interface
    }
    if (endpoint == kBulkOut) {
        return bulkOut(driverHandle, data, length, transferred);
    }
    if (endpoint == kBulkIn) {
        return bulkIn(driverHandle, data, length, transferred);
    }
    return LIBUSB_ERROR_NOT_FOUND;
}

int EmulatedChip::bulkOut(FtHandle driverHandle, unsigned char* data, int length,
                          int* transferred) {
    FtDword written = 0;
    if (bus_.write(driverHandle, data, static_cast<FtDword>(length), &written) != ft::kOk) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    *transferred = static_cast<int>(written);
    return 0;
}

// Packets of 64 bytes, each led by the two status bytes and carrying what the
// adapter has received; a short packet (a status-only one when nothing
// waits) ends the transfer, as on the wire.
int EmulatedChip::bulkIn(FtHandle driverHandle, unsigned char* data, int length, int* transferred) {
    if (faults_.zeroLengthPackets > 0) {
        --faults_.zeroLengthPackets;
        return 0;
    }
    if (faults_.vanishAfterBytes == 0) {
        vanished_ = true;
        return LIBUSB_ERROR_NO_DEVICE;
    }
    if (length < kStatusBytes) {
        return LIBUSB_ERROR_OVERFLOW;
    }
    FtDword waiting = 0;
    if (bus_.getQueueStatus(driverHandle, &waiting) != ft::kOk) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    long deliverable = static_cast<long>(waiting);
    if (faults_.vanishAfterBytes > 0) {
        deliverable = std::min(deliverable, faults_.vanishAfterBytes);
    }
    const int perPacket = std::clamp(faults_.inPacketData, 0, kPacketData);
    int used = 0;
    while (length - used >= kStatusBytes) {
        const long room = std::min(length - used - kStatusBytes, perPacket);
        const auto take = static_cast<FtDword>(std::min(room, deliverable));
        std::memcpy(data + used, kStatus.data(), kStatus.size());
        FtDword got = 0;
        if (take > 0 &&
            bus_.read(driverHandle, data + used + kStatusBytes, take, &got) != ft::kOk) {
            return LIBUSB_ERROR_NO_DEVICE;
        }
        used += kStatusBytes + static_cast<int>(got);
        deliverable -= static_cast<long>(got);
        if (faults_.vanishAfterBytes > 0) {
            faults_.vanishAfterBytes -= static_cast<long>(got);
        }
        if (kStatusBytes + static_cast<int>(got) < kPacketSize) {
            break;
        }
    }
    *transferred = used;
    return 0;
}

}  // namespace quarn::usbstand
