#pragma once
// The receive cycle run every 50 ms: open the link if needed, read into the
// ring, extract every complete frame and hand it to the decoder that
// SelDevice selects.

#include <cstdint>

#include "link/CommUsb.h"
#include "link/DeviceIdentity.h"
#include "link/FormDebug.h"
#include "link/ReceiveState.h"
#include "platform/HostServices.h"

namespace quarn::link {

// Receives the frames while the sensor window is open (SelDevice 1).
class SensorReplyDecoder {
  public:
    virtual ~SensorReplyDecoder() = default;
    virtual void DecodeSensorReply(const MsgBytes& frame, std::int16_t L) = 0;
};

class ReceiveCycle {
  public:
    ReceiveCycle(CommUsb& usb, ReceiveState& state, const std::int16_t& selDevice,
                 DeviceIdentity& identity, FormDebug& monitor, const HostServices& host)
        : usb_(usb),
          state_(state),
          selDevice_(selDevice),
          identity_(identity),
          monitor_(monitor),
          host_(host) {}

    void setSensorDecoder(SensorReplyDecoder* decoder) { sensorDecoder_ = decoder; }

    void ReceiveMsgUsb();

  private:
    CommUsb& usb_;
    ReceiveState& state_;
    const std::int16_t& selDevice_;
    DeviceIdentity& identity_;
    FormDebug& monitor_;
    const HostServices& host_;
    SensorReplyDecoder* sensorDecoder_ = nullptr;
};

}  // namespace quarn::link
