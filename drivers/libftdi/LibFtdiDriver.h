#pragma once
// The adapter vendor's nine driver calls on libftdi and libusb, with the
// vendor library's meaning and status values: the open-source way to reach
// the programmer. Only FTDI adapters are listed (vendor 0x0403 and the
// product ids libftdi knows); the description is the USB product string.
//
// Worth knowing:
// - FT_OpenEx opens the first adapter with that exact description (or
//   serial number) that this driver does not already hold, and leaves the
//   chip as the vendor's library does: 9600 baud, 8N1, no flow control,
//   latency timer 16 ms. The kernel's ftdi_sio driver is detached while the
//   adapter is open and given back when it is closed.
// - Handles are opaque, never reused and checked on every call: an unknown
//   or closed handle gives FT_INVALID_HANDLE; once the adapter is gone every
//   call but FT_Close gives FT_IO_ERROR.
// - Receiving runs as in the vendor's driver, though without a thread:
//   several bulk IN transfers stay in flight while an adapter is open and
//   fill the driver's receive queue in the order they come back (64 KiB,
//   counting what those in flight may bring; what does not fit waits in the
//   chip). There are enough of them that an idle chip, which answers one
//   each time its 16 ms latency timer runs out, still has one pending when
//   the program next asks, so a reply is not held back in the chip for want
//   of a transfer. FT_GetQueueStatus hands libusb the transfers that have
//   come back and counts the queue, never waiting for the chip; FT_Read
//   takes from the queue and, only when it holds fewer bytes than asked
//   for, waits at most the read time-out of FT_SetTimeouts (0: not at all)
//   for more. Purging the receive side, FT_ResetDevice and FT_Close take
//   every transfer back first, so nothing received before them is read
//   after them. A write time-out of 0 keeps libftdi's 5 s rather than
//   waiting without end.
// - When libftdi or libusb cannot be started, every call gives
//   FT_OTHER_ERROR and usable() says why.
// - Each failure of libftdi or libusb, each open and each close is one line
//   in the developer log's USB area.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "drivers/diagnosis/AdapterFacts.h"
#include "drivers/libftdi/FtdiContext.h"
#include "drivers/libftdi/UsbSurvey.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

namespace quarn::libftdi {

class OpenAdapter;
struct UsbAddress;

class LibFtdiDriver final : public D2xxDriver {
  public:
    // sysfsRoot is where the kernel shows USB devices, read for the strings
    // of an adapter this user may not open.
    explicit LibFtdiDriver(std::string sysfsRoot = kSysfsUsbDevices);
    explicit LibFtdiDriver(DevLog& log, std::string sysfsRoot = kSysfsUsbDevices);
    ~LibFtdiDriver() override;
    LibFtdiDriver(const LibFtdiDriver&) = delete;
    LibFtdiDriver& operator=(const LibFtdiDriver&) = delete;

    bool usable() const { return listing_ != nullptr; }
    // Why the driver is not usable, on one line; empty when it is.
    const std::string& failure() const { return failure_; }
    // The facts of the adapter the last FT_OpenEx found but could not open;
    // nothing after any other outcome.
    const std::optional<diagnosis::AdapterFacts>& lastOpenFailure() const {
        return lastOpenFailure_;
    }

    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override;
    FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) override;
    FtStatus resetDevice(FtHandle handle) override;
    FtStatus purge(FtHandle handle, FtDword mask) override;
    FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                   FtDword* bytesWritten) override;
    FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) override;
    FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) override;
    FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                  FtDword* bytesReturned) override;
    FtStatus close(FtHandle handle) override;

  private:
    // FT_OK with the handle's adapter, FT_INVALID_HANDLE or FT_IO_ERROR.
    FtStatus liveAdapter(FtHandle handle, OpenAdapter*& adapter);
    bool holds(const UsbAddress& address) const;
    FtStatus listByIndex(void* arg1, void* arg2, FtDword flags);
    FtStatus listAll(void* arg1, void* arg2, FtDword flags);
    FtStatus open(const std::string& wanted, bool byDescription, FtHandle* handle);
    // Opens through the context the first adapter showing that text that
    // this driver does not hold; chosen gets what is known of it. The
    // adapter list (whose devices belong to the context) is gone on return.
    FtStatus openFirstMatch(ftdi_context* context, const std::string& wanted, bool byDescription,
                            diagnosis::AdapterFacts& chosen);

    SilentLog silentLog_;
    DevLog& log_;
    std::string sysfsRoot_;
    FtdiContext listing_;  // lists adapters and reads their strings; holds no device
    std::string failure_;
    std::optional<diagnosis::AdapterFacts> lastOpenFailure_;
    std::map<std::uintptr_t, std::unique_ptr<OpenAdapter>> adapters_;
    std::uintptr_t nextHandle_ = 0;
};

}  // namespace quarn::libftdi
