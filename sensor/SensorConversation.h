#pragma once
// The PC side of the polling conversation with the sensor. conversationTick runs
// once when the sensor window loads and then on every tick of its timer; it
// only sends. It asks for the parameters, writes the ones the technician has
// changed, asks for the live signal, and runs the identity cycle that shows
// the sensor's identity and closes the window when the sensor has gone.

#include <functional>

#include "link/MessageSender.h"
#include "platform/Timers.h"
#include "platform/controls/Indicators.h"
#include "sensor/ConversationState.h"
#include "sensor/ParameterLists.h"
#include "sensor/ParameterMemory.h"
#include "sensor/SessionState.h"

namespace quarn::sensor {

// Key of the sensor window's status-bar panel that shows the identity.
inline constexpr char kIdentityPanel[] = "identity";

// The parts of the sensor window that the tick reads or writes.
struct ConversationControls {
    ParameterLists lists;
    const quarn::Timer& conversationTimer;  // its interval sets the identity cycle's pace
    quarn::StatusBar& statusBar;            // panel "identity" shows the identity
    std::function<void()> unloadWindow;
    // Called after each parameter write has left, while the lists still
    // hold the values written (may be empty).
    std::function<void()> parameterWriteSent;
};

class SensorConversation {
  public:
    SensorConversation(SessionState& session, link::MessageSender& sender, ParameterMemory& memory,
                       ConversationState& state, ConversationControls window)
        : session_(session),
          sender_(sender),
          memory_(memory),
          state_(state),
          window_(std::move(window)) {}

    void conversationTick();
    bool parametersChanged() const;

  private:
    void identityCycle();
    bool sensorPresent() const;

    SessionState& session_;
    link::MessageSender& sender_;
    ParameterMemory& memory_;
    ConversationState& state_;
    ConversationControls window_;
};

}  // namespace quarn::sensor
