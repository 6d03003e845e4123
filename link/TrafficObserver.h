#pragma once
// Who wants to know what crosses the wire: the link reports the frames it
// shows to a technician (those sent with logging, received replies worth
// showing, checksum failures, replies nobody understood). The traffic
// monitor is one such observer; the link does not know who listens.

#include <string_view>

namespace quarn::link {

class TrafficObserver {
  public:
    virtual ~TrafficObserver() = default;

    // A frame written to the programmer, as hexadecimal text (unescaped).
    virtual void frameSent(std::string_view hexText) = 0;
    // A received frame that passed its checksum test.
    virtual void frameReceived(std::string_view hexText) = 0;
    // A received frame whose checksum did not match.
    virtual void checksumFailed(std::string_view hexText) = 0;
    // A received frame with a command the window cannot use, or too short
    // for its command's layout.
    virtual void unknownReply(std::string_view hexText) = 0;
};

}  // namespace quarn::link
