#include "link/ProgrammerReplyDecoder.h"

#include <optional>
#include <string>

#include "link/Frame.h"
#include "link/ReceivedFrame.h"

namespace quarn::link {

void decodeProgrammerReply(const FrameBytes& frame, std::int16_t length, DeviceIdentity& identity,
                           TrafficObserver& observer) {
    const std::string hex = hexText(heldBytes(frame, length));
    if (!checksumMatches(frame, length)) {
        observer.checksumFailed(hex);
        return;
    }

    if (commandOf(frame) != Command::Identity) {
        return;  // the programmer level knows only the identity reply
    }

    // A received identity reply is shown whatever its length; one too short
    // for its layout leaves the identity as it was.
    observer.frameReceived(hex);
    if (const std::optional<DeviceIdentity> reply = decodeIdentityReply(frame, length)) {
        identity = *reply;
    }
}

}  // namespace quarn::link
