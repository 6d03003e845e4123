#pragma once
// Decodes every frame that arrives while the sensor window is open: checks
// the checksum, logs what the command calls for, refills the identity,
// moves the conversation flags and hands parameter replies and live samples
// to the window. It never sends anything.

#include <cstdint>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/ReceiveCycle.h"
#include "link/TrafficObserver.h"
#include "sensor/ConversationState.h"
#include "sensor/SensorDisplay.h"
#include "sensor/SensorReplies.h"

namespace quarn::sensor {

class ZelReplyDecoder final : public link::SensorReplyDecoder {
  public:
    ZelReplyDecoder(link::DeviceIdentity& identity, ConversationState& state,
                    SensorDisplay& display, link::TrafficObserver& observer)
        : identity_(identity), state_(state), display_(display), observer_(observer) {}

    void decode(const link::FrameBytes& frame, std::int16_t length) override;

  private:
    void takeParameters(const ParameterReply& reply);

    link::DeviceIdentity& identity_;
    ConversationState& state_;
    SensorDisplay& display_;
    link::TrafficObserver& observer_;
};

}  // namespace quarn::sensor
