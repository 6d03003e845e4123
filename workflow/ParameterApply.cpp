#include "workflow/ParameterApply.h"

#include "sensor/IdentityCycle.h"

namespace quarn::workflow {

ParameterApply::ParameterApply(sensorwin::SensorWindow& window, const sensor::SessionState& session,
                               const quarn::Clock& clock)
    : window_(window), session_(session), clock_(clock) {}

void ParameterApply::start(const paramfile::ListIndices& wanted) {
    differences_.clear();
    acknowledged_ = false;
    readBackMs_.reset();
    outcome_ = ApplyOutcome::Pending;
    startMs_ = clock_.nowMs();
    sensor_ = window_.conversation().listsReportedBy;
    wanted_ = {};

    const bool read = window_.visible() && sensor_.type == link::kZelDeviceType &&
                      !window_.conversation().readParametersPending;
    if (!read) {
        finish(ApplyOutcome::SensorLost);
        return;
    }
    bool changes = false;
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        const auto& index = wanted[sensor::indexOf(row.parameter)];
        if (!index || !sensor::carriedBy(row, sensor_.firmwareVersion) || *index < 0 ||
            *index >= row.itemCount) {
            continue;
        }
        wanted_[sensor::indexOf(row.parameter)] = index;
        changes = changes || *index != window_.parameterMemory()[row.parameter].lastReported;
        window_.parameterList(row.parameter).setListIndex(*index);
    }
    if (!changes) {
        finish(ApplyOutcome::Verified);
    }
}

bool ParameterApply::otherSensorAnswers() const {
    const auto answers = [this](const link::DeviceIdentity& identity) {
        return identity.type != 0 &&
               (identity.type != sensor_.type || identity.serial != sensor_.serial);
    };
    return answers(session_.identity) || answers(window_.conversation().listsReportedBy);
}

ApplyOutcome ParameterApply::check() {
    if (outcome_ != ApplyOutcome::Pending) {
        return outcome_;
    }
    // An identity cycle without an answer may be a sensor being unplugged:
    // writing stops before another could be plugged in its place.
    if (!window_.visible() || window_.conversation().missedIdentities > 0) {
        finish(ApplyOutcome::SensorLost);
        return outcome_;
    }
    if (otherSensorAnswers()) {
        finish(ApplyOutcome::SensorSwapped);
        return outcome_;
    }
    const bool readPending = window_.conversation().readParametersPending;
    if (!acknowledged_) {
        // The acknowledgement is what sets the read pending; until then the
        // change check keeps writing.
        if (readPending) {
            acknowledged_ = true;
        } else if (clock_.nowMs() - startMs_ >= kAcknowledgeLimitMs) {
            finish(ApplyOutcome::NotAcknowledged);
        }
        return outcome_;
    }
    if (readPending) {
        return outcome_;  // the read-back has not been taken yet
    }
    if (!readBackMs_) {
        readBackMs_ = clock_.nowMs();
        for (const sensor::ParameterRow& row : sensor::kParameterTable) {
            const auto& wanted = wanted_[sensor::indexOf(row.parameter)];
            const std::int16_t reported = window_.parameterMemory()[row.parameter].lastReported;
            if (wanted && *wanted != reported) {
                differences_.push_back({row.parameter, *wanted, reported});
            }
        }
    }
    // The write carries no serial number: a sensor put in the place of
    // another between two identity cycles would take it and acknowledge.
    // The outcome waits for an identity answer to a request sent after the
    // read-back; a request goes out every cycle and each clears the identity
    // it leaves, so after a cycle and a reply's time the identity is that
    // answer or none.
    const int tickMs = window_.conversationTimer->interval();
    const std::int64_t cycleMs =
        (sensor::ticksBetweenIdentityCycles(tickMs) + std::int64_t{1}) * tickMs;
    if (clock_.nowMs() - *readBackMs_ < cycleMs + kIdentityReplyMarginMs ||
        session_.identity.type == 0) {
        return outcome_;  // an unanswered cycle shows as a missed identity above
    }
    finish(differences_.empty() ? ApplyOutcome::Verified : ApplyOutcome::Differences);
    return outcome_;
}

void ParameterApply::finish(ApplyOutcome outcome) {
    outcome_ = outcome;
    if (outcome != ApplyOutcome::Verified && outcome != ApplyOutcome::Differences) {
        restoreReportedValues();
    }
}

// The lists show again what the sensor last reported, so the change check
// finds nothing to write.
void ParameterApply::restoreReportedValues() {
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (wanted_[sensor::indexOf(row.parameter)]) {
            window_.parameterList(row.parameter)
                .setListIndex(window_.parameterMemory()[row.parameter].lastReported);
        }
    }
}

}  // namespace quarn::workflow
