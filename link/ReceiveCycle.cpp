#include "link/ReceiveCycle.h"

#include "link/DecodeProgMsg.h"

namespace quarn::link {

void ReceiveCycle::ReceiveMsgUsb() {
    if (usb_.OpenUsb() != LinkStatus::Open) {
        return;
    }
    if (usb_.ReadUsb(state_.RxBuffer, state_.RxIdxOut, state_.RxIdxIn, kRingSize) != LinkStatus::Open) {
        // Bytes already in the ring stay there for the next good cycle.
        usb_.CloseUsb();
        return;
    }
    // Each frame is handled completely before the next extraction reuses
    // MsgBuffer. The active window is read per frame: a decoder may hand over to the
    // other window while frames are still waiting.
    while (ExtractMsg(state_)) {
        if (activeWindow_ == ActiveWindow::Start) {
            DecodeProgMsg(state_.MsgBuffer, state_.MsgLen, identity_, monitor_, host_);
        } else if (sensorDecoder_ != nullptr) {
            sensorDecoder_->DecodeSensorReply(state_.MsgBuffer, state_.MsgLen);
        }
    }
}

}  // namespace quarn::link
