#include "workbench/ChangeLog.h"

#include <algorithm>
#include <string>

#include "workbench/ChangeLogLines.h"

namespace quarn::workbench {

ChangeLog::ChangeLog(sensorwin::SensorWindow& window, const sensor::SessionState& session,
                     const quarn::HostServices& host)
    : window_(window), session_(session), host_(host) {
    window_.addListener(*this);
}

ChangeLog::~ChangeLog() {
    window_.removeListener(*this);
}

void ChangeLog::sensorWindowClosed() {
    // The next opening may face another sensor: a refusal it repeats is
    // news again, and the lists start without a complaint.
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (insisting_[sensor::indexOf(row.parameter)]) {
            insisting_[sensor::indexOf(row.parameter)].reset();
            window_.parameterList(row.parameter).setToolTip({});
        }
    }
}

void ChangeLog::parametersShown(const sensor::ParameterReply& reply) {
    // The lists take the reply's values up to its first missing one; each
    // list that took a value has nothing more to complain about.
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (!reply[row.parameter]) {
            break;
        }
        std::optional<std::uint8_t>& insisting = insisting_[sensor::indexOf(row.parameter)];
        if (insisting) {
            insisting.reset();
            window_.parameterList(row.parameter).setToolTip({});
        }
    }
    if (reply.whole()) {
        takeWholeReply(reply);
    } else {
        noteRefusal(reply);
    }
}

void ChangeLog::takeWholeReply(const sensor::ParameterReply& reply) {
    ParameterIndices indices{};
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        indices[sensor::indexOf(row.parameter)] = *reply[row.parameter];
    }
    if (!firstRead_) {
        firstRead_ = indices;
    }
    latestRead_ = indices;
    if (session_.identity.type == link::kZelDeviceType) {
        sensorIdentity_ = session_.identity;
    }
    for (std::size_t entry : awaitingReadBack_) {
        ParameterChange& written = change(entry);
        const std::int16_t reported = indices[sensor::indexOf(written.parameter)];
        written.readBack = reported == written.newIndex ? ReadBack::Verified : ReadBack::Differs;
        written.reportedIndex = reported;
    }
    awaitingReadBack_.clear();
    notifyChanged();
}

void ChangeLog::noteRefusal(const sensor::ParameterReply& reply) {
    const std::optional<sensor::RefusedValue>& refused = reply.refused();
    if (!refused) {
        return;
    }
    std::optional<std::uint8_t>& insisting = insisting_[sensor::indexOf(refused->parameter)];
    if (insisting == refused->wireValue) {
        return;  // the read repeats every tick while the sensor insists
    }
    insisting = refused->wireValue;
    entries_.emplace_back(
        RefusedReplyValue{host_.wallClock(), refused->parameter, refused->wireValue});
    window_.parameterList(refused->parameter)
        .setToolTip(refusedValueToolTip(refused->wireValue, session_.texts));
    notifyChanged();
}

void ChangeLog::parameterWriteSent() {
    bool added = false;
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        const std::int16_t written = window_.parameterList(row.parameter).listIndex();
        const std::int16_t reported = window_.parameterMemory()[row.parameter].lastReported;
        const auto pending = std::find_if(
            unacknowledged_.begin(), unacknowledged_.end(),
            [&](std::size_t entry) { return change(entry).parameter == row.parameter; });
        if (written == reported) {
            // Chosen back before the sensor acknowledged: the earlier value
            // is no longer on the wire and stays unacknowledged.
            if (pending != unacknowledged_.end()) {
                unacknowledged_.erase(pending);
            }
            continue;
        }
        // The same write repeated until acknowledged is one change; a new
        // choice while it repeats replaces it on the wire and is one more.
        if (pending != unacknowledged_.end()) {
            if (change(*pending).newIndex == written) {
                continue;
            }
            unacknowledged_.erase(pending);
        }
        entries_.emplace_back(ParameterChange{host_.wallClock(), row.parameter, reported, written});
        unacknowledged_.push_back(entries_.size() - 1);
        added = true;
    }
    if (added) {
        notifyChanged();
    }
}

void ChangeLog::parameterWriteAcknowledged() {
    if (unacknowledged_.empty()) {
        return;
    }
    for (std::size_t entry : unacknowledged_) {
        change(entry).acknowledged = true;
        awaitingReadBack_.push_back(entry);
    }
    unacknowledged_.clear();
    notifyChanged();
}

}  // namespace quarn::workbench
