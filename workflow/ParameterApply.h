#pragma once
// Applying a set of parameter values to the sensor in the open sensor window,
// the way a technician does it by hand: the window's lists are set to the
// wanted items, so the conversation's own change check writes them once and
// repeats the write until the sensor acknowledges it; the read that follows
// the acknowledgement brings the sensor's values back into the lists, and
// they are compared with the wanted ones. The apply only sets lists and
// watches the conversation's state; it sends nothing itself. The outcome
// is given only once the sensor's next identity answer confirms that the
// sensor that took the write is still the one it was meant for.
//
// It never lets a write meant for one sensor reach another: when the sensor
// goes, or another serial number answers, it stops and puts the lists back
// to what the sensor last reported, so that nothing more is written.

#include <cstdint>
#include <optional>
#include <vector>

#include "link/DeviceIdentity.h"
#include "paramfile/ParameterFile.h"
#include "platform/Timers.h"
#include "sensor/ParameterTable.h"
#include "sensor/SessionState.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::workflow {

enum class ApplyOutcome {
    Pending,          // still writing or reading back
    Verified,         // the sensor reports every wanted value
    Differences,      // the sensor reports other values for some parameters
    NotAcknowledged,  // no acknowledgement within kAcknowledgeLimitMs
    SensorLost,       // an identity request went unanswered, or the window closed
    SensorSwapped,    // another sensor (serial number) answers
};

// A parameter whose read-back differs from the value written.
struct ParameterDifference {
    sensor::Parameter parameter = sensor::Parameter::Sensitivity;
    std::int16_t wanted = 0;
    std::int16_t reported = 0;
};

class ParameterApply {
  public:
    static constexpr std::int64_t kAcknowledgeLimitMs = 5000;
    // Time for an identity reply to reach the identity after its request.
    static constexpr std::int64_t kIdentityReplyMarginMs = 200;

    // All must outlive the apply.
    ParameterApply(sensorwin::SensorWindow& window, const sensor::SessionState& session,
                   const quarn::Clock& clock);

    // Starts applying `wanted` (list indices; a parameter without an index,
    // or one the sensor does not carry, keeps its list as it is). The
    // window must be open with the sensor's parameters read: otherwise the
    // outcome is SensorLost at once. When the sensor already holds every
    // wanted value nothing is written and the outcome is Verified.
    void start(const paramfile::ListIndices& wanted);

    // Looks at the conversation; call after every step of the clock.
    ApplyOutcome check();

    ApplyOutcome outcome() const { return outcome_; }
    bool acknowledged() const { return acknowledged_; }
    const std::vector<ParameterDifference>& differences() const { return differences_; }
    // The sensor the values were meant for.
    const link::DeviceIdentity& sensor() const { return sensor_; }

  private:
    void finish(ApplyOutcome outcome);
    void restoreReportedValues();
    bool otherSensorAnswers() const;

    sensorwin::SensorWindow& window_;
    const sensor::SessionState& session_;
    const quarn::Clock& clock_;
    paramfile::ListIndices wanted_{};
    link::DeviceIdentity sensor_;
    std::int64_t startMs_ = 0;
    bool acknowledged_ = false;
    std::optional<std::int64_t> readBackMs_;  // when the read-back was taken
    ApplyOutcome outcome_ = ApplyOutcome::Pending;
    std::vector<ParameterDifference> differences_;
};

}  // namespace quarn::workflow
