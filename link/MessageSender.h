#pragma once
// SendMsg: frames one message and writes it to the programmer.

#include <cstdint>
#include <span>

#include "link/CommUsb.h"
#include "link/FormDebug.h"

namespace quarn::link {

class MessageSender {
  public:
    MessageSender(CommUsb& usb, FormDebug& monitor) : usb_(usb), monitor_(monitor) {}

    // Opens the link if needed and writes the frame; on a failed write the
    // link is closed. The log line reaches the monitor's send box only when
    // log is true and the write succeeded. A message that cannot be sent is
    // dropped; nothing is shown.
    void SendMsg(std::uint8_t command, std::span<const std::uint8_t> payload, std::int16_t count,
                 bool log);

  private:
    CommUsb& usb_;
    FormDebug& monitor_;
};

}  // namespace quarn::link
