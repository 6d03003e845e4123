#include "drivers/libftdi/OpenAdapter.h"

#include <ftdi.h>
#include <libusb.h>

#include <sys/time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <utility>

namespace quarn::libftdi {

namespace {

constexpr int kVendorBaudRate = 9600;
constexpr unsigned char kVendorLatencyMs = 16;
// How long asking the device whether it is still there may take.
constexpr int kPollTimeoutMs = 50;
// libftdi's own write time-out, kept where the caller asks for none: an
// unlimited wait could hang the single-threaded program on a stuck adapter.
constexpr int kDefaultWriteTimeoutMs = 5000;
// The vendor driver's receive queue holds 64 KiB; what does not fit waits in
// the chip.
constexpr std::size_t kReceiveCapacity = 65536;
// Every bulk IN packet starts with the chip's modem status and line status.
constexpr std::size_t kStatusBytes = 2;
// The packet size of a full-speed chip, should libftdi not know it.
constexpr std::size_t kFullSpeedPacket = 64;
// One transfer asks for up to this many packets, as libftdi's reads do. The
// chip fills them only while it has bytes: a short packet ends a transfer.
constexpr std::size_t kTransferPackets = 64;
// The longest single wait for events while reading, so that the read's
// deadline is looked at again.
constexpr std::int64_t kLongestWaitUs = 50'000;
// How long a cancelled transfer may take to come back. The host controller
// gives it back at once; this only bounds one that never comes.
constexpr auto kRecallLimit = std::chrono::seconds(1);

using Clock = std::chrono::steady_clock;

// libusb's error code for what a transfer met.
int errorOf(int transferStatus) {
    switch (transferStatus) {
        case LIBUSB_TRANSFER_NO_DEVICE:
            return LIBUSB_ERROR_NO_DEVICE;
        case LIBUSB_TRANSFER_STALL:
            return LIBUSB_ERROR_PIPE;
        case LIBUSB_TRANSFER_OVERFLOW:
            return LIBUSB_ERROR_OVERFLOW;
        default:
            return LIBUSB_ERROR_IO;
    }
}

// The chip's bulk packet size, as libftdi read it from the endpoint.
std::size_t packetSize(const ftdi_context& context) {
    return context.max_packet_size > kStatusBytes ? context.max_packet_size : kFullSpeedPacket;
}

// Takes over the transfers left in flight when their adapter closed.
void LIBUSB_CALL ignoreTransfer(libusb_transfer* /*transfer*/) {}

}  // namespace

void OpenAdapter::TransferFree::operator()(libusb_transfer* transfer) const {
    libusb_free_transfer(transfer);
}

OpenAdapter::OpenAdapter(FtdiContext context, UsbAddress address, std::string name, DevLog& log)
    : context_(std::move(context)), address_(address), name_(std::move(name)), log_(log) {}

OpenAdapter::~OpenAdapter() {
    close();
}

std::string OpenAdapter::setVendorDefaults() {
    ftdi_context* ftdi = context_.get();
    if (ftdi_set_baudrate(ftdi, kVendorBaudRate) != 0 ||
        ftdi_set_line_property(ftdi, BITS_8, STOP_BIT_1, NONE) != 0 ||
        ftdi_setflowctrl(ftdi, SIO_DISABLE_FLOW_CTRL) != 0 ||
        ftdi_set_latency_timer(ftdi, kVendorLatencyMs) != 0) {
        return ftdiError(ftdi);
    }
    return {};
}

std::string OpenAdapter::startReceiving() {
    const std::size_t bufferSize = kTransferPackets * packetSize(*context_);
    for (ReceiveTransfer& receiving : transfers_) {
        receiving.transfer.reset(libusb_alloc_transfer(0));
        auto* buffer =
            receiving.transfer ? static_cast<unsigned char*>(std::malloc(bufferSize)) : nullptr;
        if (buffer == nullptr) {
            for (ReceiveTransfer& made : transfers_) {
                made.transfer.reset();  // none is in flight yet
            }
            return "no memory for a transfer";
        }
        // Freeing the transfer frees its buffer.
        receiving.transfer->buffer = buffer;
        receiving.transfer->flags = LIBUSB_TRANSFER_FREE_BUFFER;
    }
    submit();
    if (transferError_ != 0) {
        // Those already in flight are taken back when the adapter closes.
        return libusb_error_name(std::exchange(transferError_, 0));
    }
    return {};
}

bool OpenAdapter::stillThere() {
    // libftdi keeps libusb's error code to itself for most calls; a standard
    // request every device answers tells whether it is still on the bus.
    if (context_->usb_dev == nullptr) {
        return false;
    }
    std::array<unsigned char, 2> status{};
    constexpr auto kStandardIn =
        static_cast<std::uint8_t>(static_cast<int>(LIBUSB_ENDPOINT_IN) |
                                  LIBUSB_REQUEST_TYPE_STANDARD | LIBUSB_RECIPIENT_DEVICE);
    return libusb_control_transfer(context_->usb_dev, kStandardIn, LIBUSB_REQUEST_GET_STATUS, 0, 0,
                                   status.data(), status.size(),
                                   kPollTimeoutMs) != LIBUSB_ERROR_NO_DEVICE;
}

FtStatus OpenAdapter::failed(const char* call, int result, FtStatus status) {
    return report(call, ftdiError(context_.get()) + " (" + std::to_string(result) + ")",
                  result == LIBUSB_ERROR_NO_DEVICE || !stillThere(), status);
}

FtStatus OpenAdapter::usbFailed(const char* call, int result, FtStatus status) {
    return report(call, libusb_error_name(result),
                  result == LIBUSB_ERROR_NO_DEVICE || !stillThere(), status);
}

FtStatus OpenAdapter::report(const char* call, const std::string& detail, bool gone,
                             FtStatus status) {
    gone_ = gone_ || gone;
    logIf(log_, LogArea::Usb, [&] {
        return std::string("libftdi: ") + call + " failed on \"" + name_ + "\": " + detail +
               (gone_ ? ", the adapter is gone" : "");
    });
    return gone_ ? ft::kIoError : status;
}

void OpenAdapter::onTransferDone(libusb_transfer* transfer) {
    auto& adapter = *static_cast<OpenAdapter*>(transfer->user_data);
    for (ReceiveTransfer& receiving : adapter.transfers_) {
        if (receiving.transfer.get() == transfer) {
            adapter.transferDone(receiving);
            return;
        }
    }
}

void OpenAdapter::transferDone(ReceiveTransfer& receiving) {
    const libusb_transfer& transfer = *receiving.transfer;
    receiving.inFlight = false;
    promised_ -= std::exchange(receiving.promised, 0);
    if (std::exchange(receiving.recalled, false)) {
        if (transfer.status == LIBUSB_TRANSFER_NO_DEVICE) {
            transferError_ = LIBUSB_ERROR_NO_DEVICE;
        }
        return;  // whatever it brought was received before a purge, a reset or the close
    }
    if (transfer.status != LIBUSB_TRANSFER_COMPLETED) {
        // The transfers behind it usually meet the same; the first failure
        // is the one reported, unless a later one finds the device gone.
        if (transferError_ == 0 || transfer.status == LIBUSB_TRANSFER_NO_DEVICE) {
            transferError_ = errorOf(transfer.status);
        }
        return;
    }
    // Each packet leads with the two status bytes; a zero-length packet or
    // one with the status bytes alone carries nothing. The transfer asked
    // for no more packets than its promise covers.
    const std::size_t packet = packetSize(*context_);
    const auto length = static_cast<std::size_t>(std::max(transfer.actual_length, 0));
    const std::size_t before = received_.size();
    for (std::size_t start = 0; start < length; start += packet) {
        const std::size_t end = std::min(start + packet, length);
        if (end - start > kStatusBytes) {
            received_.insert(received_.end(), transfer.buffer + start + kStatusBytes,
                             transfer.buffer + end);
        }
    }
    if (received_.size() > before) {
        ++arrivals_;
    }
    submit();  // behind the transfers still in flight
}

bool OpenAdapter::anyInFlight() const {
    return std::any_of(transfers_.begin(), transfers_.end(),
                       [](const ReceiveTransfer& receiving) { return receiving.inFlight; });
}

void OpenAdapter::submit() {
    if (gone_ || transferError_ != 0) {
        return;
    }
    const std::size_t packet = packetSize(*context_);
    for (ReceiveTransfer& receiving : transfers_) {
        if (!receiving.transfer || receiving.inFlight) {
            continue;
        }
        // Only as many packets as the queue has room for, should each be
        // full and every transfer in flight come back full too.
        const std::size_t promisedAll = received_.size() + promised_;
        const std::size_t room =
            promisedAll < kReceiveCapacity ? kReceiveCapacity - promisedAll : 0;
        const std::size_t packets = std::min(kTransferPackets, room / (packet - kStatusBytes));
        if (packets == 0) {
            return;  // short of room: the chip holds the rest until the queue is read
        }
        // libftdi names endpoints from the chip's side: out_ep is the one
        // that sends to the host. No time-out: an FT232R answers within its
        // latency timer, with its status bytes alone when it has nothing.
        libusb_transfer* transfer = receiving.transfer.get();
        libusb_fill_bulk_transfer(transfer, context_->usb_dev,
                                  static_cast<unsigned char>(context_->out_ep), transfer->buffer,
                                  static_cast<int>(packets * packet), &OpenAdapter::onTransferDone,
                                  this, 0);
        if (const int result = libusb_submit_transfer(transfer); result != 0) {
            transferError_ = result;
            return;
        }
        receiving.inFlight = true;
        receiving.promised = packets * (packet - kStatusBytes);
        promised_ += receiving.promised;
    }
}

int OpenAdapter::waitForEvents(std::int64_t waitUs) {
    timeval wait{static_cast<time_t>(waitUs / 1'000'000),
                 static_cast<suseconds_t>(waitUs % 1'000'000)};
    return libusb_handle_events_timeout_completed(context_->usb_ctx, &wait, nullptr);
}

FtStatus OpenAdapter::handleEvents(std::int64_t waitUs) {
    if (const int result = waitForEvents(waitUs);
        result < 0 && result != LIBUSB_ERROR_INTERRUPTED) {
        return usbFailed("libusb_handle_events_timeout_completed", result, ft::kIoError);
    }
    return reportTransferError();
}

FtStatus OpenAdapter::reportTransferError() {
    if (transferError_ == 0) {
        return ft::kOk;
    }
    // Taken, so that the next call submits the transfers again.
    return usbFailed("receiving", std::exchange(transferError_, 0), ft::kIoError);
}

FtStatus OpenAdapter::collect() {
    submit();  // again, after the queue was full or a transfer failed
    for (;;) {
        const std::size_t before = arrivals_;
        if (const FtStatus status = handleEvents(0); status != ft::kOk) {
            return status;
        }
        if (arrivals_ == before) {
            return ft::kOk;
        }
    }
}

bool OpenAdapter::recall() {
    for (ReceiveTransfer& receiving : transfers_) {
        if (receiving.inFlight && !receiving.recalled) {
            receiving.recalled = true;
            // Already complete, a transfer is not found, but its callback is
            // still to run; either way it comes back through the events.
            libusb_cancel_transfer(receiving.transfer.get());
        }
    }
    const auto deadline = Clock::now() + kRecallLimit;
    while (anyInFlight() && Clock::now() < deadline) {
        if (const int result = waitForEvents(kLongestWaitUs);
            result < 0 && result != LIBUSB_ERROR_INTERRUPTED) {
            break;
        }
    }
    return !anyInFlight();
}

FtStatus OpenAdapter::stopReceiving() {
    if (!recall()) {
        return report("cancelling the receiving transfers", "one did not come back", false,
                      ft::kIoError);
    }
    return reportTransferError();
}

FtStatus OpenAdapter::reset() {
    if (gone_) {
        return ft::kIoError;
    }
    if (const FtStatus status = stopReceiving(); status != ft::kOk) {
        return status;
    }
    received_.clear();
    FtStatus status = ft::kOk;
    if (const int result = ftdi_usb_reset(context_.get()); result != 0) {
        status = failed("ftdi_usb_reset", result, ft::kIoError);
    }
    submit();
    return status;
}

FtStatus OpenAdapter::purge(FtDword mask) {
    if (gone_) {
        return ft::kIoError;
    }
    if ((mask & ft::kPurgeTx) != 0) {
        if (const int result = ftdi_tcoflush(context_.get()); result != 0) {
            return failed("ftdi_tcoflush", result, ft::kIoError);
        }
    }
    if ((mask & ft::kPurgeRx) != 0) {
        // Bytes a transfer brought back before the purge are as old as those
        // in the queue.
        if (const FtStatus status = stopReceiving(); status != ft::kOk) {
            return status;
        }
        received_.clear();
        FtStatus status = ft::kOk;
        if (const int result = ftdi_tciflush(context_.get()); result != 0) {
            status = failed("ftdi_tciflush", result, ft::kIoError);
        }
        submit();
        return status;
    }
    return ft::kOk;
}

FtStatus OpenAdapter::write(const std::uint8_t* bytes, FtDword count, FtDword& written) {
    written = 0;
    if (gone_) {
        return ft::kIoError;
    }
    // One packet at a time: libftdi reports nothing of a write that failed
    // part way, so the count stays true to the packet.
    const auto packet = static_cast<FtDword>(std::max(context_->max_packet_size, 1U));
    while (written < count) {
        const int piece = static_cast<int>(std::min(packet, count - written));
        const int sent = ftdi_write_data(context_.get(), bytes + written, piece);
        if (sent < 0) {
            return failed("ftdi_write_data", sent, ft::kFailedToWriteDevice);
        }
        written += static_cast<FtDword>(sent);
    }
    return ft::kOk;
}

FtStatus OpenAdapter::queueStatus(FtDword& waiting) {
    if (gone_) {
        return ft::kIoError;
    }
    if (const FtStatus status = collect(); status != ft::kOk) {
        return status;
    }
    waiting = static_cast<FtDword>(received_.size());
    return ft::kOk;
}

FtStatus OpenAdapter::read(std::uint8_t* out, FtDword wanted, FtDword& got) {
    got = 0;
    if (gone_) {
        return ft::kIoError;
    }
    if (received_.size() < wanted) {
        if (const FtStatus status = collect(); status != ft::kOk) {
            return status;
        }
        const auto deadline = Clock::now() + std::chrono::milliseconds(readTimeoutMs_);
        while (received_.size() < wanted && anyInFlight()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0) {
                break;
            }
            if (const FtStatus status = handleEvents(std::min(left.count(), kLongestWaitUs));
                status != ft::kOk) {
                return status;
            }
        }
    }
    got = static_cast<FtDword>(std::min<std::size_t>(wanted, received_.size()));
    std::copy_n(received_.begin(), got, out);
    received_.erase(received_.begin(), received_.begin() + got);
    submit();  // room again after a full queue
    return ft::kOk;
}

FtStatus OpenAdapter::setTimeouts(FtDword readMs, FtDword writeMs) {
    if (gone_) {
        return ft::kIoError;
    }
    readTimeoutMs_ = readMs;
    context_->usb_write_timeout = writeMs == 0
                                      ? kDefaultWriteTimeoutMs
                                      : static_cast<int>(std::min<FtDword>(writeMs, INT_MAX));
    return ft::kOk;
}

void OpenAdapter::close() {
    if (!context_) {
        return;
    }
    // No transfer may outlive the device it was submitted to.
    if (!recall()) {
        logIf(log_, LogArea::Usb, [&] {
            return "libftdi: a receiving transfer on \"" + name_ +
                   "\" did not come back; it is left to libusb";
        });
        for (ReceiveTransfer& receiving : transfers_) {
            if (receiving.inFlight) {
                // Freed, it could still be written to; left, it calls back
                // nowhere.
                receiving.transfer->callback = &ignoreTransfer;
                static_cast<void>(receiving.transfer.release());
            }
        }
    }
    for (ReceiveTransfer& receiving : transfers_) {
        receiving = ReceiveTransfer{};
    }
    promised_ = 0;
    if (const int result = ftdi_usb_close(context_.get()); result != 0 && !gone_) {
        logIf(log_, LogArea::Usb, [&] {
            return "libftdi: ftdi_usb_close on \"" + name_ + "\": " + ftdiError(context_.get()) +
                   " (" + std::to_string(result) + ")";
        });
    }
    context_.reset();
    gone_ = true;
}

}  // namespace quarn::libftdi
