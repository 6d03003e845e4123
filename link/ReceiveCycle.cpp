#include "link/ReceiveCycle.h"

#include "link/ProgrammerReplyDecoder.h"

namespace quarn::link {

void ReceiveCycle::receive() {
    if (usb_.open() != LinkStatus::Open) {
        return;
    }
    if (usb_.read(ring_) != LinkStatus::Open) {
        // Bytes already in the ring stay there for the next good cycle.
        usb_.close();
        return;
    }
    // Each frame is handled completely before the next extraction writes over
    // the held frame. The active window is read per frame: a decoder may hand
    // over to the other window while frames are still waiting.
    while (extractor_.extract(ring_)) {
        if (activeWindow_ == ActiveWindow::Start) {
            decodeProgrammerReply(extractor_.frame(), extractor_.length(), identity_, observer_);
        } else if (sensorDecoder_ != nullptr) {
            sensorDecoder_->decode(extractor_.frame(), extractor_.length());
        }
    }
}

}  // namespace quarn::link
