#pragma once
// One FTDI FT232R as the host sees it over USB, standing for one adapter of
// the simulated bus: its strings, the line settings the vendor requests
// change, the kernel driver bound to its interface, and its two bulk
// endpoints, which carry bytes to and from the adapter through the bus's
// driver calls. The driver handle it gets on claiming the interface is how
// the adapter knows one opener from the next.
//
// Every method answers as libusb would: 0 or a byte count, or a negative
// LIBUSB_ERROR_* code.

#include <cstdint>
#include <string>

#include "platform/D2xxDriver.h"
#include "sim/usbstand/UsbStandIn.h"

namespace quarn::usbstand {

class EmulatedChip {
  public:
    EmulatedChip(D2xxDriver& bus, std::string serial);

    const std::string& serial() const { return serial_; }
    const std::string& description() const { return description_; }
    void setDescription(std::string description) { description_ = std::move(description); }

    bool hasPlace() const { return place_.bus != 0; }
    const UsbPlace& place() const { return place_; }
    void setPlace(UsbPlace place) { place_ = std::move(place); }

    // Plugged into the simulated bus at its last listing, and not vanished.
    bool onBus() const { return plugged_ && !vanished_; }
    bool plugged() const { return plugged_; }
    void setPlugged(bool plugged) { plugged_ = plugged; }

    void setFaults(const AdapterFaults& faults) { faults_ = faults; }
    void setLine(const LineSettings& line) { line_ = line; }
    void bindKernelDriver();
    ChipReport report() const;

    int open() const;
    // Claims the interface for one opener: opens the adapter on the bus and
    // hands back its driver handle. With autoDetach a bound kernel driver is
    // detached first, and detached is set so that release gives it back.
    int claim(bool autoDetach, FtHandle& driverHandle, bool& detached);
    int release(FtHandle driverHandle, bool detached);

    int kernelDriverActive() const;
    int detachKernelDriver();
    int attachKernelDriver();

    // An ASCII string descriptor: 1 manufacturer, 2 product, 3 serial.
    int stringDescriptor(std::uint8_t index, unsigned char* data, int length) const;
    // driverHandle is null while the opener has not claimed the interface.
    int control(FtHandle driverHandle, std::uint8_t requestType, std::uint8_t request,
                std::uint16_t value, std::uint16_t index, unsigned char* data,
                std::uint16_t length);
    int bulk(FtHandle driverHandle, unsigned char endpoint, unsigned char* data, int length,
             int* transferred);
    // 0 while the opener can still reach the chip, else LIBUSB_ERROR_NO_DEVICE.
    int reach(FtHandle driverHandle) const;

  private:
    int vendorOut(FtHandle driverHandle, std::uint8_t request, std::uint16_t value,
                  std::uint16_t index);
    int vendorIn(std::uint8_t request, unsigned char* data, std::uint16_t length) const;
    int bulkIn(FtHandle driverHandle, unsigned char* data, int length, int* transferred);
    int bulkOut(FtHandle driverHandle, unsigned char* data, int length, int* transferred);

    D2xxDriver& bus_;
    std::string serial_;
    std::string description_;
    UsbPlace place_;
    bool plugged_ = false;
    bool vanished_ = false;
    int claims_ = 0;  // interfaces claimed and not yet released
    AdapterFaults faults_;
    LineSettings line_;
    bool kernelDriverKnown_ = false;  // ftdi_sio serves this chip
    bool kernelDriverBound_ = false;
    int kernelDriverDetaches_ = 0;
    int kernelDriverAttaches_ = 0;
};

}  // namespace quarn::usbstand
