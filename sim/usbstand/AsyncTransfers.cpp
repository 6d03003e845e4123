#include "sim/usbstand/AsyncTransfers.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "sim/usbstand/LibusbObjects.h"

namespace quarn::usbstand {

namespace {

libusb_transfer_status statusOf(int result) {
    switch (result) {
        case 0:
            return LIBUSB_TRANSFER_COMPLETED;
        case LIBUSB_ERROR_NO_DEVICE:
            return LIBUSB_TRANSFER_NO_DEVICE;
        case LIBUSB_ERROR_OVERFLOW:
            return LIBUSB_TRANSFER_OVERFLOW;
        case LIBUSB_ERROR_PIPE:
            return LIBUSB_TRANSFER_STALL;
        default:
            return LIBUSB_TRANSFER_ERROR;
    }
}

EmulatedChip& chipOf(const libusb_transfer& transfer) {
    return *transfer.dev_handle->device->chip;
}

}  // namespace

AsyncTransfers& AsyncTransfers::instance() {
    static AsyncTransfers transfers;
    return transfers;
}

libusb_transfer* AsyncTransfers::allocate(int isoPackets) {
    if (isoPackets < 0) {
        return nullptr;
    }
    // One block, as libusb makes it: the transfer and its isochronous
    // packet descriptors behind it.
    void* block =
        std::calloc(1, sizeof(libusb_transfer) + static_cast<std::size_t>(isoPackets) *
                                                     sizeof(libusb_iso_packet_descriptor));
    auto* transfer = static_cast<libusb_transfer*>(block);
    if (transfer != nullptr) {
        transfer->num_iso_packets = isoPackets;
        live_.emplace(transfer, State{});
    }
    return transfer;
}

void AsyncTransfers::release(libusb_transfer* transfer) {
    const auto found = live_.find(transfer);
    if (found == live_.end()) {
        return;  // not one of ours: leave the memory alone
    }
    if (found->second.inFlight) {
        ++abandoned_;
        dropFromFlight(transfer);
    }
    if ((transfer->flags & LIBUSB_TRANSFER_FREE_BUFFER) != 0) {
        std::free(transfer->buffer);
    }
    live_.erase(found);
    std::free(transfer);
}

int AsyncTransfers::submit(libusb_transfer* transfer) {
    const auto found = live_.find(transfer);
    if (found == live_.end() || transfer->dev_handle == nullptr) {
        return LIBUSB_ERROR_INVALID_PARAM;
    }
    if (found->second.inFlight) {
        return LIBUSB_ERROR_BUSY;
    }
    if (transfer->type != LIBUSB_TRANSFER_TYPE_BULK) {
        return LIBUSB_ERROR_NOT_SUPPORTED;
    }
    if (chipOf(*transfer).reach(transfer->dev_handle->driverHandle) != 0) {
        return LIBUSB_ERROR_NO_DEVICE;
    }
    found->second = State{.inFlight = true, .callsBeforeSubmit = callsBegun_};
    inFlight_.push_back(transfer);
    return LIBUSB_SUCCESS;
}

int AsyncTransfers::cancel(libusb_transfer* transfer) {
    const auto found = live_.find(transfer);
    if (found == live_.end() || !found->second.inFlight || found->second.arrived ||
        found->second.cancelled) {
        return LIBUSB_ERROR_NOT_FOUND;  // not in flight, already complete or cancelled
    }
    found->second.cancelled = true;
    return LIBUSB_SUCCESS;
}

int AsyncTransfers::handleEvents(libusb_context* context, const timeval* timeout,
                                 const int* completed) {
    ++waits_.calls;
    waits_.longestUs = std::max(
        waits_.longestUs, timeout == nullptr
                              ? LONG_MAX
                              : timeout->tv_sec * 1'000'000L + static_cast<long>(timeout->tv_usec));
    if (completed != nullptr && *completed != 0) {
        return LIBUSB_SUCCESS;
    }
    const unsigned long call = ++callsBegun_;
    std::vector<libusb_transfer*> due;
    for (libusb_transfer* transfer : inFlight_) {
        if (transfer->dev_handle->device->context == context) {
            due.push_back(transfer);
        }
    }
    for (libusb_transfer* transfer : due) {
        // A callback before may have freed it, or freed and resubmitted it.
        const auto found = live_.find(transfer);
        if (found != live_.end() && found->second.inFlight &&
            found->second.callsBeforeSubmit < call) {
            complete(transfer);
        }
    }
    return LIBUSB_SUCCESS;
}

int AsyncTransfers::receiveNow(const EmulatedChip& chip, int limit) {
    int answered = 0;
    for (libusb_transfer* transfer : inFlight_) {
        if (answered == limit) {
            break;
        }
        State& state = live_.at(transfer);
        if (!state.arrived && !state.cancelled && (transfer->endpoint & LIBUSB_ENDPOINT_IN) != 0 &&
            &chipOf(*transfer) == &chip) {
            transact(*transfer, state);
            state.arrived = true;
            ++answered;
        }
    }
    return answered;
}

void AsyncTransfers::abandon(const libusb_device_handle* handle) {
    const std::vector<libusb_transfer*> flying = inFlight_;
    for (libusb_transfer* transfer : flying) {
        if (transfer->dev_handle == handle) {
            ++abandoned_;
            live_.at(transfer) = State{};
            dropFromFlight(transfer);
        }
    }
}

TransferCounts AsyncTransfers::counts() const {
    return TransferCounts{static_cast<int>(live_.size()), static_cast<int>(inFlight_.size()),
                          abandoned_};
}

EventWaits AsyncTransfers::takeEventWaits() {
    const EventWaits taken = waits_;
    waits_ = EventWaits{};
    return taken;
}

void AsyncTransfers::startOver() {
    abandoned_ = 0;
    waits_ = EventWaits{};
}

void AsyncTransfers::transact(libusb_transfer& transfer, State& state) {
    libusb_device_handle& handle = *transfer.dev_handle;
    int transferred = 0;
    const int result = chipOf(transfer).bulk(handle.driverHandle, transfer.endpoint,
                                             transfer.buffer, transfer.length, &transferred);
    state.status = statusOf(result);
    state.actualLength = transferred;
}

void AsyncTransfers::complete(libusb_transfer* transfer) {
    State& state = live_.at(transfer);
    if (state.cancelled) {
        state.status = LIBUSB_TRANSFER_CANCELLED;
        state.actualLength = 0;
    } else if (!state.arrived) {
        transact(*transfer, state);
    }
    transfer->status = static_cast<libusb_transfer_status>(state.status);
    transfer->actual_length = state.actualLength;
    state = State{};
    dropFromFlight(transfer);
    // The callback may free or resubmit the transfer; nothing of it is
    // touched afterwards but what libusb itself would.
    const bool freeAfterCallback = (transfer->flags & LIBUSB_TRANSFER_FREE_TRANSFER) != 0;
    if (transfer->callback != nullptr) {
        transfer->callback(transfer);
    }
    if (freeAfterCallback) {
        release(transfer);
    }
}

void AsyncTransfers::dropFromFlight(libusb_transfer* transfer) {
    inFlight_.erase(std::remove(inFlight_.begin(), inFlight_.end(), transfer), inFlight_.end());
}

}  // namespace quarn::usbstand
