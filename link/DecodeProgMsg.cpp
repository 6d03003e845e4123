#include "link/DecodeProgMsg.h"

#include "link/Frame.h"
#include "link/ReceivedFrame.h"

namespace quarn::link {

void decodeProgMsg(const MsgBytes& frame, std::int16_t length, DeviceIdentity& identity,
                   TrafficObserver& observer) {
    const std::string hex = hexText(heldBytes(frame, length));
    if (!checksumMatches(frame, length)) {
        observer.checksumFailed(hex);
        return;
    }

    if (commandOf(frame) != Command::Identity) {
        return;  // the programmer level knows only the identity reply
    }

    // A received identity reply is shown whatever its length. One shorter than
    // the full reply is not decoded, though: its fields would be read from
    // positions that still hold bytes of earlier frames, so the identity is
    // left as it was.
    observer.frameReceived(hex);
    if (length >= kIdentityFrameLength) {
        decodeIdentityFields(frame, identity);
    }
}

}  // namespace quarn::link
