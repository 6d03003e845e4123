#include "sensor/SensorConversation.h"

#include <limits>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "sensor/IdentityCycle.h"
#include "sensor/ParamWrite.h"
#include "sensor/ParamsChanged.h"

namespace quarn::sensor {

namespace {
constexpr bool kLogged = true;
constexpr bool kNotLogged = false;
constexpr std::uint8_t kStreamStart = 2;
}  // namespace

// One call: at most one parameter request, one stream request and one
// identity request, in this order.
void SensorConversation::SensorTick() {
    TickPayload payload{};

    if (SensorPresent()) {
        // Read before write: while a read is pending the lists may show
        // values the sensor never reported, so nothing is written.
        if (state_.ReadParamsPending) {
            sender_.send(link::Command::GetParameters, payload, 0, kLogged);
        } else if (ParamsChanged()) {
            const std::int16_t count =
                BuildParamWrite(window_.lists, session_.identity.firmwareVersion, payload);
            sender_.send(link::Command::SetParameters, payload, count, kLogged);
        }
    }

    if (SensorPresent() && state_.StreamStartPending) {
        payload[0] = kStreamStart;
        sender_.send(link::Command::SetStreaming, payload, 1, kLogged);
    }

    const std::int16_t threshold = IdentityThreshold(window_.TimerGestConn.interval());
    if (state_.IdentityTicks < threshold) {
        ++state_.IdentityTicks;
        return;
    }
    IdentityCycle();
}

bool SensorConversation::ParamsChanged() const {
    return sensor::ParamsChanged(window_.lists, params_);
}

bool SensorConversation::SensorPresent() const {
    return session_.identity.type == link::kZelDeviceType;
}

// Judges the reply to the previous cycle's identity request, then asks again.
void SensorConversation::IdentityCycle() {
    if (SensorPresent()) {
        state_.MissedIdentities = 0;
        window_.StatusBar.setPanelText(kDevMatrPanel, IdentityPanelText(session_.identity));
    } else {
        if (state_.MissedIdentities < std::numeric_limits<std::int16_t>::max()) {
            ++state_.MissedIdentities;
        }
        if (state_.MissedIdentities >= kMissedForStatusText) {
            window_.StatusBar.setPanelText(
                kDevMatrPanel, texts::textOf(session_.texts, texts::StringId::NoDeviceConnected));
        }
    }

    if (state_.MissedIdentities >= kMissedForClose) {
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
    state_.IdentityTicks = 0;
}

}  // namespace quarn::sensor
