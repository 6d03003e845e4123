#include "sensor/SensorConversation.h"

#include <limits>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "sensor/IdentityCycle.h"
#include "sensor/ParameterChangeCheck.h"
#include "sensor/ParameterWrite.h"

namespace quarn::sensor {

namespace {
constexpr bool kLogged = true;
constexpr bool kNotLogged = false;
constexpr std::uint8_t kStreamStart = 2;
}  // namespace

// One call: at most one parameter request, one stream request and one
// identity request, in this order.
void SensorConversation::conversationTick() {
    TickPayload payload{};

    if (sensorPresent()) {
        // Read before write: while a read is pending the lists may show
        // values the sensor never reported, so nothing is written.
        if (state_.readParametersPending) {
            sender_.send(link::Command::GetParameters, payload, 0, kLogged);
        } else if (parametersChanged()) {
            const std::int16_t count =
                buildParameterWrite(window_.lists, session_.identity.firmwareVersion, payload);
            sender_.send(link::Command::SetParameters, payload, count, kLogged);
            if (window_.parameterWriteSent) {
                window_.parameterWriteSent();
            }
        }
    }

    if (sensorPresent() && state_.streamStartPending) {
        payload[0] = kStreamStart;
        sender_.send(link::Command::SetStreaming, payload, 1, kLogged);
    }

    const std::int16_t between = ticksBetweenIdentityCycles(window_.conversationTimer.interval());
    if (state_.ticksSinceIdentity < between) {
        ++state_.ticksSinceIdentity;
        return;
    }
    identityCycle();
}

bool SensorConversation::parametersChanged() const {
    return sensor::parametersChanged(window_.lists, memory_);
}

bool SensorConversation::sensorPresent() const {
    return session_.identity.type == link::kZelDeviceType;
}

// Judges the reply to the previous cycle's identity request, then asks again.
void SensorConversation::identityCycle() {
    if (sensorPresent()) {
        state_.missedIdentities = 0;
        window_.statusBar.setPanelText(kIdentityPanel, identityStatusText(session_.identity));
    } else {
        if (state_.missedIdentities < std::numeric_limits<std::int16_t>::max()) {
            ++state_.missedIdentities;
        }
        if (state_.missedIdentities >= kMissedCyclesForMissingText) {
            window_.statusBar.setPanelText(
                kIdentityPanel, texts::textOf(session_.texts, texts::StringId::NoDeviceConnected));
        }
    }

    if (state_.missedIdentities >= kMissedCyclesForClose) {
        // The sensor has gone: closing must bring the main window back rather
        // than end the program. The window's unload runs to completion here.
        session_.endWithSensorWindow = false;
        if (window_.unloadWindow) {
            window_.unloadWindow();
        }
    }

    session_.identity.clear();
    const TickPayload none{};
    sender_.send(link::Command::GetIdentity, none, 0, kNotLogged);
    state_.ticksSinceIdentity = 0;
}

}  // namespace quarn::sensor
