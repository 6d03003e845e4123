#include "link/ReceiveCycle.h"

#include "link/DecodeProgMsg.h"

namespace quarn::link {

void ReceiveCycle::receive() {
    if (usb_.open() != LinkStatus::Open) {
        return;
    }
    if (usb_.read(state_.rxBuffer, state_.rxIdxOut, state_.rxIdxIn, kRingSize) !=
        LinkStatus::Open) {
        // Bytes already in the ring stay there for the next good cycle.
        usb_.close();
        return;
    }
    // Each frame is handled completely before the next extraction reuses
    // MsgBuffer. The active window is read per frame: a decoder may hand over to the
    // other window while frames are still waiting.
    while (extractMsg(state_)) {
        if (activeWindow_ == ActiveWindow::Start) {
            decodeProgMsg(state_.msgBuffer, state_.msgLen, identity_, observer_);
        } else if (sensorDecoder_ != nullptr) {
            sensorDecoder_->decode(state_.msgBuffer, state_.msgLen);
        }
    }
}

}  // namespace quarn::link
