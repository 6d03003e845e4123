#pragma once
// The message sender: frames one message and writes it to the programmer.

#include <cstdint>
#include <span>

#include "link/Commands.h"
#include "link/TrafficObserver.h"
#include "link/UsbLink.h"

namespace quarn::link {

class MessageSender {
  public:
    MessageSender(UsbLink& usb, TrafficObserver& observer) : usb_(usb), observer_(observer) {}

    // Opens the link if needed and writes the frame; on a failed write the
    // link is closed. The log line reaches the monitor's send box only when
    // log is true and the write succeeded. A message that cannot be sent is
    // dropped; nothing is shown.
    void send(Command command, std::span<const std::uint8_t> payload, std::int16_t count, bool log);

  private:
    UsbLink& usb_;
    TrafficObserver& observer_;
};

}  // namespace quarn::link
