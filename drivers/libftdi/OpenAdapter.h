#pragma once
// One adapter the backend has open: its libftdi context, the bytes received
// from it and not yet read, and its time-outs.
//
// The vendor's driver keeps a receive queue that its own thread fills, and
// answers FT_GetQueueStatus from it at once. Here several bulk IN transfers
// of libusb's asynchronous kind stay in flight while the adapter is open.
// The host controller serves them one after the other and they come back in
// that order; each callback strips the two status bytes that lead every
// packet, appends the rest to the queue and submits its transfer again
// behind the others. An FT232R with nothing to send answers a transfer only
// when its latency timer runs out, with the status bytes alone, and a
// callback runs only when the program next asks about the queue: with a
// single transfer the chip would then sit with none pending, holding back
// whatever arrives, until that next call. With several, one is still
// pending when the program comes back, and a reply reaches the queue as
// soon as the chip has it.
//
// Nothing here waits for a transfer: asking about the queue handles the
// events that have already happened and never waits; a read waits, up to
// its time-out, only for bytes the queue does not hold yet. The queue holds
// 64 KiB at most, counting what the transfers in flight may still bring;
// a transfer without room for a packet stays back, and further bytes wait
// in the chip. Purging the receive side, resetting and closing first cancel
// every transfer in flight and wait for all of them to come back, so that
// nothing received before them reaches the queue afterwards, and no
// transfer outlives the device.
//
// Once the adapter is found gone, every call but close fails FT_IO_ERROR,
// as the vendor's driver does for a pulled-out adapter.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>

#include "drivers/libftdi/FtdiContext.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

struct libusb_transfer;

namespace quarn::libftdi {

// Where a device sits while it is plugged in.
struct UsbAddress {
    int bus = 0;
    int address = 0;
    bool operator==(const UsbAddress&) const = default;
};

class OpenAdapter {
  public:
    // Bulk IN transfers kept in flight. The program asks about the queue
    // every 50 ms and an idle chip answers one transfer per 16 ms latency
    // period: 4 x 16 ms outlasts that tick, so the host controller always
    // has one pending and the chip never holds bytes back for want of one.
    static constexpr std::size_t kReceiveTransfers = 4;

    // Takes a context that has just opened the adapter.
    OpenAdapter(FtdiContext context, UsbAddress address, std::string name, DevLog& log);
    ~OpenAdapter();
    OpenAdapter(const OpenAdapter&) = delete;
    OpenAdapter& operator=(const OpenAdapter&) = delete;

    // The line as the vendor's library leaves it after opening: 9600 baud,
    // 8 data bits, no parity, 1 stop bit, no flow control, latency timer
    // 16 ms. Returns libftdi's words for what failed, empty on success.
    std::string setVendorDefaults();
    // Puts the receiving transfers in flight. Returns libusb's words for what
    // failed, empty on success.
    std::string startReceiving();

    const UsbAddress& address() const { return address_; }
    const std::string& name() const { return name_; }
    bool gone() const { return gone_; }

    FtStatus reset();
    FtStatus purge(FtDword mask);
    // Writes all bytes or fails; written counts what reached the chip.
    FtStatus write(const std::uint8_t* bytes, FtDword count, FtDword& written);
    // Never waits.
    FtStatus queueStatus(FtDword& waiting);
    // Takes from the receive queue; only while it holds fewer than wanted
    // waits for more, until the read time-out has passed.
    FtStatus read(std::uint8_t* out, FtDword wanted, FtDword& got);
    FtStatus setTimeouts(FtDword readMs, FtDword writeMs);
    // Releases the interface (giving a detached kernel driver back) and
    // closes the device. Nothing is left to fail afterwards.
    void close();

  private:
    struct TransferFree {
        void operator()(libusb_transfer* transfer) const;
    };
    struct ReceiveTransfer {
        std::unique_ptr<libusb_transfer, TransferFree> transfer;  // owns its buffer
        bool inFlight = false;
        bool recalled = false;     // what it brings is dropped and it is not submitted again
        std::size_t promised = 0;  // the most bytes it may add to the queue while in flight
    };

    static void onTransferDone(libusb_transfer* transfer);
    void transferDone(ReceiveTransfer& receiving);
    // Submits each transfer that is not in flight, as long as the queue has
    // room for a packet beyond what those in flight may bring, unless the
    // adapter is gone or a failure waits to be reported.
    void submit();
    bool anyInFlight() const;
    // Handles what has happened on the bus, waiting at most waitUs for
    // something to happen; reports a failure a transfer met.
    FtStatus handleEvents(std::int64_t waitUs);
    int waitForEvents(std::int64_t waitUs);
    // Handles events, without waiting, for as long as they bring bytes.
    FtStatus collect();
    // Cancels every transfer in flight and waits for all of them to come
    // back; what they carry is dropped. False when one did not come back.
    bool recall();
    // Recalls the transfers; FT_OK when they are back and met no failure.
    FtStatus stopReceiving();
    // Reports the failure a transfer met, if any.
    FtStatus reportTransferError();
    // After a libftdi call failed: logs it and finds whether the device has
    // gone, then answers with status (FT_IO_ERROR when it has gone).
    FtStatus failed(const char* call, int result, FtStatus status);
    // The same after a libusb call or a transfer failed, in libusb's words.
    FtStatus usbFailed(const char* call, int result, FtStatus status);
    FtStatus report(const char* call, const std::string& detail, bool gone, FtStatus status);
    bool stillThere();

    FtdiContext context_;
    UsbAddress address_;
    std::string name_;
    DevLog& log_;
    std::deque<std::uint8_t> received_;
    std::array<ReceiveTransfer, kReceiveTransfers> transfers_;
    std::size_t promised_ = 0;  // what the transfers in flight may still bring, together
    int transferError_ = 0;     // a libusb error a transfer met, not yet reported
    std::size_t arrivals_ = 0;  // transfers come back with bytes
    FtDword readTimeoutMs_ = 0;
    bool gone_ = false;
};

}  // namespace quarn::libftdi
