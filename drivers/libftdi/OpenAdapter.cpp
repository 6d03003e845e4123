#include "drivers/libftdi/OpenAdapter.h"

#include <ftdi.h>
#include <libusb.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>

namespace quarn::libftdi {

namespace {

constexpr int kVendorBaudRate = 9600;
constexpr unsigned char kVendorLatencyMs = 16;
// How long one read from the chip may take. An FT232R answers within its
// latency timer, with its two status bytes when it has nothing, so reads
// never wait for data: this only bounds a chip that does not answer at all.
constexpr int kPollTimeoutMs = 50;
// libftdi's own write time-out, kept where the caller asks for none: an
// unlimited wait could hang the single-threaded program on a stuck adapter.
constexpr int kDefaultWriteTimeoutMs = 5000;
// The vendor driver's receive queue holds 64 KiB; what does not fit waits in
// the chip.
constexpr std::size_t kReceiveCapacity = 65536;
constexpr std::size_t kReadChunk = 4096;

}  // namespace

OpenAdapter::OpenAdapter(FtdiContext context, UsbAddress address, std::string name, DevLog& log)
    : context_(std::move(context)),
      address_(address),
      name_(std::move(name)),
      log_(log),
      scratch_(kReadChunk) {
    context_->usb_read_timeout = kPollTimeoutMs;
}

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
    gone_ = result == LIBUSB_ERROR_NO_DEVICE || !stillThere();
    logIf(log_, LogArea::Usb, [&] {
        return std::string("libftdi: ") + call + " failed on \"" + name_ +
               "\": " + ftdiError(context_.get()) + " (" + std::to_string(result) + ")" +
               (gone_ ? ", the adapter is gone" : "");
    });
    return gone_ ? ft::kIoError : status;
}

FtStatus OpenAdapter::reset() {
    if (gone_) {
        return ft::kIoError;
    }
    if (const int result = ftdi_usb_reset(context_.get()); result != 0) {
        return failed("ftdi_usb_reset", result, ft::kIoError);
    }
    received_.clear();
    return ft::kOk;
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
        received_.clear();
        if (const int result = ftdi_tciflush(context_.get()); result != 0) {
            return failed("ftdi_tciflush", result, ft::kIoError);
        }
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

FtStatus OpenAdapter::drain() {
    while (received_.size() < kReceiveCapacity) {
        const int room =
            static_cast<int>(std::min(kReadChunk, kReceiveCapacity - received_.size()));
        const int got = ftdi_read_data(context_.get(), scratch_.data(), room);
        if (got == LIBUSB_ERROR_TIMEOUT) {
            return ft::kOk;  // nothing came in time; the next call asks again
        }
        if (got < 0) {
            return failed("ftdi_read_data", got, ft::kIoError);
        }
        received_.insert(received_.end(), scratch_.begin(), scratch_.begin() + got);
        if (got < room) {
            return ft::kOk;  // the chip had no more
        }
    }
    return ft::kOk;
}

FtStatus OpenAdapter::queueStatus(FtDword& waiting) {
    if (gone_) {
        return ft::kIoError;
    }
    if (const FtStatus status = drain(); status != ft::kOk) {
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
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs_);
    while (received_.size() < wanted && received_.size() < kReceiveCapacity) {
        if (const FtStatus status = drain(); status != ft::kOk) {
            return status;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            break;
        }
    }
    got = static_cast<FtDword>(std::min<std::size_t>(wanted, received_.size()));
    std::copy_n(received_.begin(), got, out);
    received_.erase(received_.begin(), received_.begin() + got);
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
