#pragma once
// Decodes every frame that arrives while the sensor window is open: checks
// the checksum, logs what the command calls for, refills the identity,
// moves the conversation flags and hands parameter replies and live samples
// to the window. It never sends anything.

#include <cstdint>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/FormDebug.h"
#include "link/ReceiveCycle.h"
#include "platform/HostServices.h"
#include "sensor/ConversationState.h"
#include "sensor/SensorDisplay.h"

namespace quarn::sensor {

inline constexpr char kUnknownMessagePrefix[] = "Messaggio sconosciuto  ";

class RadarZelDecoder final : public link::SensorReplyDecoder {
  public:
    RadarZelDecoder(link::DeviceIdentity& identity, ConversationState& state,
                    SensorDisplay& display, link::FormDebug& monitor, const HostServices& host)
        : identity_(identity), state_(state), display_(display), monitor_(monitor), host_(host) {}

    void decode(const link::MsgBytes& frame, std::int16_t length) override;

  private:
    void LogReceived(const std::string& line);

    link::DeviceIdentity& identity_;
    ConversationState& state_;
    SensorDisplay& display_;
    link::FormDebug& monitor_;
    const HostServices& host_;
};

}  // namespace quarn::sensor
