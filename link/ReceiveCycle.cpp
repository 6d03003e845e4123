#include "link/ReceiveCycle.h"

#include "link/DecodeProgMsg.h"

namespace quarn::link {

void ReceiveCycle::receive() {
    if (usb_.open() != LinkStatus::Open) {
        return;
    }
    if (usb_.read(state_.RxBuffer, state_.RxIdxOut, state_.RxIdxIn, kRingSize) !=
        LinkStatus::Open) {
        // Bytes already in the ring stay there for the next good cycle.
        usb_.close();
        return;
    }
    // Each frame is handled completely before the next extraction reuses
    // MsgBuffer. The active window is read per frame: a decoder may hand over to the
    // other window while frames are still waiting.
    while (ExtractMsg(state_)) {
        if (activeWindow_ == ActiveWindow::Start) {
            DecodeProgMsg(state_.MsgBuffer, state_.MsgLen, identity_, observer_);
        } else if (sensorDecoder_ != nullptr) {
            sensorDecoder_->decode(state_.MsgBuffer, state_.MsgLen);
        }
    }
}

}  // namespace quarn::link
