#include "link/UsbLink.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quarn::link {
namespace {

constexpr FtDword kListFlagsByIndex = ft::kListByIndex | ft::kOpenByDescription;
constexpr FtDword kPurgeBothQueues = ft::kPurgeRx | ft::kPurgeTx;
constexpr FtDword kReadTimeoutMs = 5000;
constexpr FtDword kWriteTimeoutMs = 0;

// A driver that reports an absurd number of devices would otherwise keep the
// user interface busy in the enumeration loop for hours. No real system
// attaches this many FTDI devices.
constexpr FtDword kMaxEnumeratedDevices = 1024;

// The text the driver wrote, up to its NUL. A buffer without a NUL is taken
// whole; nothing past the buffer is ever looked at.
std::string_view writtenDescription(const std::array<char, kDescriptionBufferSize>& buffer) {
    const auto* nul = std::find(buffer.begin(), buffer.end(), '\0');
    return {buffer.data(), static_cast<std::size_t>(nul - buffer.begin())};
}

}  // namespace

LinkStatus UsbLink::open() {
    if (usbOpened_) {
        return LinkStatus::Open;  // the flag is trusted; the driver is not asked
    }

    FtDword count = 0;
    if (driver_.listDevices(&count, nullptr, ft::kListNumberOnly) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }

    int matches = 0;
    const FtDword listed = std::min(count, kMaxEnumeratedDevices);
    for (FtDword index = 0; index < listed; ++index) {
        description_.fill(' ');
        // By index, the driver takes the index value itself in place of a pointer.
        void* indexArg = reinterpret_cast<void*>(static_cast<std::uintptr_t>(index));
        if (driver_.listDevices(indexArg, description_.data(), kListFlagsByIndex) != ft::kOk) {
            continue;  // a device busy elsewhere may refuse its description
        }
        if (writtenDescription(description_) == kProgrammerDescription) {
            ++matches;
        }
    }

    if (matches == 0) {
        return LinkStatus::NotFound;
    }
    if (matches > 1) {
        return LinkStatus::MoreThanOne;  // no choice is made between two adapters
    }

    // The driver takes a writable pointer; hand it a copy of the description.
    std::array<char, sizeof(kProgrammerDescription)> name{};
    std::memcpy(name.data(), kProgrammerDescription, sizeof(kProgrammerDescription));
    FtHandle handle = nullptr;
    if (driver_.openEx(name.data(), ft::kOpenByDescription, &handle) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    usbHandle_ = handle;
    usbOpened_ = true;
    reset();  // its result does not decide whether the link is open
    return LinkStatus::Open;
}

LinkStatus UsbLink::close() {
    if (!usbOpened_) {
        return LinkStatus::DriverFailed;
    }
    usbOpened_ = false;
    return driver_.close(usbHandle_) == ft::kOk ? LinkStatus::Open : LinkStatus::DriverFailed;
}

LinkStatus UsbLink::reset() {
    // A closed handle is never handed to the driver again: the vendor library
    // may already have freed what it points to.
    if (!usbOpened_) {
        return LinkStatus::DriverFailed;
    }
    return driver_.resetDevice(usbHandle_) == ft::kOk ? LinkStatus::Open : LinkStatus::DriverFailed;
}

LinkStatus UsbLink::write(std::span<const std::uint8_t> bytes, std::int16_t count) {
    if (!usbOpened_) {
        return LinkStatus::DriverFailed;
    }
    const auto toWrite = static_cast<FtDword>(
        std::min<std::size_t>(static_cast<std::size_t>(std::max<int>(count, 0)), bytes.size()));

    if (driver_.purge(usbHandle_, kPurgeBothQueues) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    FtDword written = 0;
    // The vendor interface takes a non-const buffer but only reads from it.
    void* buffer = const_cast<std::uint8_t*>(bytes.data());
    if (driver_.write(usbHandle_, buffer, toWrite, &written) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    return written == toWrite ? LinkStatus::Open : LinkStatus::DriverFailed;
}

LinkStatus UsbLink::read(ReadTarget& target) {
    if (!usbOpened_) {
        return LinkStatus::DriverFailed;
    }

    FtDword waiting = 0;
    if (driver_.getQueueStatus(usbHandle_, &waiting) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    if (driver_.setTimeouts(usbHandle_, kReadTimeoutMs, kWriteTimeoutMs) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    if (waiting == 0) {
        return LinkStatus::Open;
    }

    const FtDword wanted =
        static_cast<FtDword>(std::min<std::size_t>({waiting, kReadScratchSize, target.freeRoom()}));

    FtDword got = 0;
    if (driver_.read(usbHandle_, scratch_.data(), wanted, &got) != ft::kOk) {
        return LinkStatus::DriverFailed;
    }
    // A driver reporting more than was asked for must not push the target
    // over its free room.
    got = std::min(got, wanted);
    target.append(std::span<const std::uint8_t>(scratch_.data(), got));
    return LinkStatus::Open;
}

}  // namespace quarn::link
