#pragma once
// Whether the sensor window's parameter memory holds values the sensor has
// reported in this opening of the window. The memory outlives the window
// (it keeps the last sensor's values between openings) and the lists start
// from their load items, so neither says by itself that the sensor has
// answered: this listener watches the replies. A reply with a value outside
// its list leaves that parameter's memory as it was, so until the next whole
// reply the memory is not the sensor's set of values either.

#include "link/DeviceIdentity.h"
#include "paramfile/ParameterFile.h"
#include "sensorwin/SensorWindow.h"
#include "sensorwin/SensorWindowListener.h"

namespace quarn::workbench {

enum class ReportState {
    NotReported,  // no parameter reply since the window opened (or it is closed)
    Reported,     // the last reply was taken whole
    Incomplete,   // the last reply held a value outside its list
};

class ReportedParameters final : public sensorwin::SensorWindowListener {
  public:
    // Listens to the window, which must outlive this object.
    explicit ReportedParameters(sensorwin::SensorWindow& window);
    ~ReportedParameters() override;
    ReportedParameters(const ReportedParameters&) = delete;
    ReportedParameters& operator=(const ReportedParameters&) = delete;

    ReportState state() const { return state_; }
    // The sensor whose reply the lists show (meaningful while Reported).
    const link::DeviceIdentity& sensor() const;
    // Its reported list indices: one for each parameter its firmware
    // carries, nothing for the others; all nothing unless Reported.
    paramfile::ListIndices indices() const;

    void sensorWindowOpened() override { state_ = ReportState::NotReported; }
    void sensorWindowClosed() override { state_ = ReportState::NotReported; }
    void parametersShown(const sensor::ParameterReply& reply) override {
        state_ = reply.whole() ? ReportState::Reported : ReportState::Incomplete;
    }

  private:
    sensorwin::SensorWindow& window_;
    ReportState state_ = ReportState::NotReported;
};

}  // namespace quarn::workbench
