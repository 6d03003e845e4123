#pragma once
// The record of this run's parameter events in the sensor window: the
// parameters as the sensor first reported them, each change written to it
// (when, which parameter, the value it had and the value written, whether the
// sensor acknowledged the write and whether the next read reported the value
// written), and each reply value the lists could not take. It listens to the
// sensor window for the whole run, whether the change log window is shown or
// not, and keeps its records across openings of the sensor window.
//
// Values are kept as list indices (and refused values as the raw byte), so
// that they are put in words only when shown, in the language of that moment.

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

#include "link/DeviceIdentity.h"
#include "platform/HostServices.h"
#include "platform/controls/Observable.h"
#include "sensor/ParameterTable.h"
#include "sensor/SessionState.h"
#include "sensorwin/SensorWindow.h"
#include "sensorwin/SensorWindowListener.h"

namespace quarn::workbench {

using WallTime = std::chrono::system_clock::time_point;
using ParameterIndices = std::array<std::int16_t, sensor::kParameterCount>;

// What the read after an acknowledged write reported for the parameter.
enum class ReadBack {
    Awaited,   // no whole reply since the write (or not acknowledged yet)
    Verified,  // the reply reported the value written
    Differs,   // the reply reported another value (reportedIndex)
};

struct ParameterChange {
    WallTime time;
    sensor::Parameter parameter = sensor::Parameter::Sensitivity;
    std::int16_t oldIndex = 0;  // what the sensor had last reported
    std::int16_t newIndex = 0;  // what the list held when the write left
    bool acknowledged = false;
    ReadBack readBack = ReadBack::Awaited;
    std::int16_t reportedIndex = 0;  // for ReadBack::Differs
};

// A parameter reply carried a value outside the parameter's list.
struct RefusedReplyValue {
    WallTime time;
    sensor::Parameter parameter = sensor::Parameter::Sensitivity;
    std::uint8_t wireValue = 0;
};

using ChangeLogEntry = std::variant<ParameterChange, RefusedReplyValue>;

// Observers are told after every new entry and every change of an entry.
class ChangeLog final : public quarn::Observable, public sensorwin::SensorWindowListener {
  public:
    // Listens to `window` until destroyed; every argument must outlive it.
    // The session gives the texts of the tooltip on a list that could not
    // take the sensor's value.
    ChangeLog(sensorwin::SensorWindow& window, const sensor::SessionState& session,
              const quarn::HostServices& host);
    ~ChangeLog() override;
    ChangeLog(const ChangeLog&) = delete;
    ChangeLog& operator=(const ChangeLog&) = delete;

    const std::vector<ChangeLogEntry>& entries() const { return entries_; }
    // The first whole parameter reply of the run; nothing before it.
    const std::optional<ParameterIndices>& firstRead() const { return firstRead_; }
    // The latest whole parameter reply.
    const std::optional<ParameterIndices>& latestRead() const { return latestRead_; }
    // The identity of the sensor that sent the latest whole reply, as known
    // then (the identity cycle clears the session's copy for a moment).
    const std::optional<link::DeviceIdentity>& sensorIdentity() const { return sensorIdentity_; }

    // --- SensorWindowListener ------------------------------------------------
    void sensorWindowClosed() override;
    void parametersShown(const sensor::ParameterReply& reply) override;
    void parameterWriteSent() override;
    void parameterWriteAcknowledged() override;

  private:
    void takeWholeReply(const sensor::ParameterReply& reply);
    void noteRefusal(const sensor::ParameterReply& reply);
    ParameterChange& change(std::size_t entry) {
        return std::get<ParameterChange>(entries_[entry]);
    }

    sensorwin::SensorWindow& window_;
    const sensor::SessionState& session_;
    const quarn::HostServices& host_;
    std::vector<ChangeLogEntry> entries_;
    std::optional<ParameterIndices> firstRead_;
    std::optional<ParameterIndices> latestRead_;
    std::optional<link::DeviceIdentity> sensorIdentity_;
    // Entries of the write on the wire, repeated until acknowledged.
    std::vector<std::size_t> unacknowledged_;
    // Entries acknowledged and waiting for the read that verifies them.
    std::vector<std::size_t> awaitingReadBack_;
    // For each parameter, the out-of-range value the sensor keeps reporting,
    // logged once; cleared when the list takes a value again.
    std::array<std::optional<std::uint8_t>, sensor::kParameterCount> insisting_{};
};

}  // namespace quarn::workbench
