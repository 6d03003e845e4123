#pragma once
// The receive cycle run every 50 ms: open the link if needed, read into the
// ring, extract every complete frame and hand it to the decoder that
// the active window selects.

#include <cstdint>

#include "link/ActiveWindow.h"
#include "link/DeviceIdentity.h"
#include "link/FrameExtractor.h"
#include "link/ReceiveRing.h"
#include "link/TrafficObserver.h"
#include "link/UsbLink.h"

namespace quarn::link {

// Receives the frames while the sensor window is open (the sensor window active).
class SensorReplyDecoder {
  public:
    virtual ~SensorReplyDecoder() = default;
    virtual void decode(const FrameBytes& frame, std::int16_t length) = 0;
};

class ReceiveCycle {
  public:
    // The ring keeps its bytes from one cycle to the next; the cycle keeps
    // the frame extractor, so a frame may arrive over several cycles.
    ReceiveCycle(UsbLink& usb, ReceiveRing& ring, const ActiveWindow& activeWindow,
                 DeviceIdentity& identity, TrafficObserver& observer)
        : usb_(usb),
          ring_(ring),
          activeWindow_(activeWindow),
          identity_(identity),
          observer_(observer) {}

    void setSensorDecoder(SensorReplyDecoder* decoder) { sensorDecoder_ = decoder; }

    void receive();

  private:
    UsbLink& usb_;
    ReceiveRing& ring_;
    const ActiveWindow& activeWindow_;
    DeviceIdentity& identity_;
    TrafficObserver& observer_;
    SensorReplyDecoder* sensorDecoder_ = nullptr;
    FrameExtractor extractor_;
};

}  // namespace quarn::link
