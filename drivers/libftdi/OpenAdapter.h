#pragma once
// One adapter the backend has open: its libftdi context, the bytes received
// from it and not yet read, and its time-outs. The vendor's driver keeps a
// receive queue and answers FT_GetQueueStatus from it; libftdi has none, so
// this one is filled by short reads from the chip whenever the queue is
// asked about or read. Once the adapter is found gone, every call but close
// fails FT_IO_ERROR, as the vendor's driver does for a pulled-out adapter.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "drivers/libftdi/FtdiContext.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

namespace quarn::libftdi {

// Where a device sits while it is plugged in.
struct UsbAddress {
    int bus = 0;
    int address = 0;
    bool operator==(const UsbAddress&) const = default;
};

class OpenAdapter {
  public:
    // Takes a context that has just opened the adapter.
    OpenAdapter(FtdiContext context, UsbAddress address, std::string name, DevLog& log);
    ~OpenAdapter();
    OpenAdapter(const OpenAdapter&) = delete;
    OpenAdapter& operator=(const OpenAdapter&) = delete;

    // The line as the vendor's library leaves it after opening: 9600 baud,
    // 8 data bits, no parity, 1 stop bit, no flow control, latency timer
    // 16 ms. Returns libftdi's words for what failed, empty on success.
    std::string setVendorDefaults();

    const UsbAddress& address() const { return address_; }
    const std::string& name() const { return name_; }
    bool gone() const { return gone_; }

    FtStatus reset();
    FtStatus purge(FtDword mask);
    // Writes all bytes or fails; written counts what reached the chip.
    FtStatus write(const std::uint8_t* bytes, FtDword count, FtDword& written);
    FtStatus queueStatus(FtDword& waiting);
    // Takes from the receive queue, reading from the chip until wanted bytes
    // are there or the read time-out has passed.
    FtStatus read(std::uint8_t* out, FtDword wanted, FtDword& got);
    FtStatus setTimeouts(FtDword readMs, FtDword writeMs);
    // Releases the interface (giving a detached kernel driver back) and
    // closes the device. Nothing is left to fail afterwards.
    void close();

  private:
    // Reads from the chip until it has nothing more or the queue is full.
    FtStatus drain();
    // After a libftdi call failed: logs it and finds whether the device has
    // gone, then answers with status (FT_IO_ERROR when it has gone).
    FtStatus failed(const char* call, int result, FtStatus status);
    bool stillThere();

    FtdiContext context_;
    UsbAddress address_;
    std::string name_;
    DevLog& log_;
    std::deque<std::uint8_t> received_;
    std::vector<std::uint8_t> scratch_;
    FtDword readTimeoutMs_ = 0;
    bool gone_ = false;
};

}  // namespace quarn::libftdi
