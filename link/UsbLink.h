#pragma once
// The USB programmer link: the only code that talks to the D2XX driver. It
// finds the adapter by its description, opens, resets, writes, and moves
// received bytes to a read target (the receive ring). Each operation returns
// a small status code and shows nothing.

#include <array>
#include <cstdint>
#include <span>

#include "link/LinkStatus.h"
#include "link/ReadTarget.h"
#include "platform/D2xxDriver.h"

namespace quarn::link {

inline constexpr char kProgrammerDescription[] = "QuarnProg";
inline constexpr std::size_t kReadScratchSize = 5000;
inline constexpr int kDescriptionBufferSize = 100;

class UsbLink {
  public:
    explicit UsbLink(D2xxDriver& driver) : driver_(driver) {}

    LinkStatus open();
    LinkStatus close();
    LinkStatus reset();
    // Purges both driver queues, then writes the first count bytes.
    LinkStatus write(std::span<const std::uint8_t> bytes, std::int16_t count);
    // Moves what the driver holds, at most 5000 bytes and at most the
    // target's free room, to the target.
    LinkStatus read(ReadTarget& target);

    bool isOpen() const { return usbOpened_; }
    FtHandle handle() const { return usbHandle_; }

  private:
    D2xxDriver& driver_;
    bool usbOpened_ = false;
    FtHandle usbHandle_ = nullptr;
    std::array<char, kDescriptionBufferSize> description_{};
    std::array<std::uint8_t, kReadScratchSize> scratch_{};
};

}  // namespace quarn::link
