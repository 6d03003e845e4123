#include "link/MessageSender.h"

#include "link/Frame.h"

namespace quarn::link {

void MessageSender::send(Command command, std::span<const std::uint8_t> payload, std::int16_t count,
                         bool log) {
    const EncodedMessage message = encodeMessage(command, payload, count);

    if (usb_.open() != LinkStatus::Open) {
        return;  // no programmer: the message is dropped, the next tick tries again
    }
    // At most 2 + 2 * 76 + 2 bytes, well inside the 16-bit count.
    const auto wireCount = static_cast<std::int16_t>(message.wire.size());
    if (usb_.write(message.wire, wireCount) != LinkStatus::Open) {
        usb_.close();  // the next open enumerates afresh
        return;
    }
    if (log) {
        observer_.frameSent(message.logLine);
    }
}

}  // namespace quarn::link
