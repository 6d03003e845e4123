#pragma once
// The restore window: a parameter file set beside the sensor in the sensor
// window, parameter by parameter (the sensor's value now, the file's value,
// and whether they differ), with Apply and Close and a line that tells how
// the apply went. The file is read and checked before the window opens; a
// file that cannot be used opens nothing and is described by the first bad
// field.
//
// Apply sets the sensor window's lists (workflow::ParameterApply), so the
// conversation writes the values once and repeats the write until the
// sensor acknowledges it; the outcome line then says "applied and verified",
// names each parameter the sensor reported otherwise, or says that the
// sensor did not acknowledge within 5 s, stopped answering or was swapped.
//
// The comparison is about the sensor whose values the window showed when the
// file was loaded. Once the sensor window closes or another sensor answers,
// the window says so and Apply stays disabled until a file is loaded again.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "link/DeviceIdentity.h"
#include "paramfile/FileComparison.h"
#include "paramfile/ParameterFile.h"
#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "platform/controls/Captioned.h"
#include "platform/controls/Form.h"
#include "platform/controls/Label.h"
#include "sensor/ParameterTable.h"
#include "sensor/SessionState.h"
#include "sensorwin/SensorWindow.h"
#include "sensorwin/SensorWindowListener.h"
#include "workbench/ReportedParameters.h"
#include "workbench/RestoreRows.h"
#include "workbench/TickClock.h"
#include "workflow/ParameterApply.h"

namespace quarn::workbench {

class ParameterRestoreWindow final : public quarn::Form, public sensorwin::SensorWindowListener {
  public:
    // How often the apply and the sensor are looked at while the window is
    // open or an apply runs. The acknowledgement is also looked at the
    // moment it arrives (parameterWriteAcknowledged): the read it sets
    // pending may be answered within one tick of this timer.
    static constexpr int kCheckIntervalMs = 100;

    // All must outlive the window; it listens to the sensor window.
    ParameterRestoreWindow(sensorwin::SensorWindow& sensorWindow,
                           const sensor::SessionState& session, const ReportedParameters& reported,
                           quarn::TimerService& timers, const quarn::HostServices& host);
    ~ParameterRestoreWindow() override;

    // --- Controls -------------------------------------------------------
    quarn::Label fileLine{"fileLine"};
    quarn::Label serialLine{"serialLine"};  // only when the file comes from another sensor
    quarn::Label parameterHeading{"parameterHeading"};
    quarn::Label sensorHeading{"sensorHeading"};
    quarn::Label fileHeading{"fileHeading"};
    quarn::Label stateHeading{"stateHeading"};
    RestoreRow& row(sensor::Parameter parameter) { return rows_[sensor::indexOf(parameter)]; }
    const RestoreRow& row(sensor::Parameter parameter) const {
        return rows_[sensor::indexOf(parameter)];
    }
    quarn::Label outcomeLine{"outcomeLine"};
    quarn::Button applyButton{"applyButton"};
    quarn::Button closeButton{"closeButton"};

    const std::unique_ptr<quarn::Timer> checkTimer;

    // --- Events ---------------------------------------------------------
    // Reads the file at `utf8Path` and shows it beside the sensor. Returns
    // why it cannot (the sensor has not reported, an apply is under way,
    // the file is bad: its first bad field), leaving the window as it was.
    std::optional<std::string> open(const std::string& utf8Path);
    // Why no file can be opened now (asked before the file dialog).
    std::optional<std::string> openRefusal() const;
    void onApply();
    void onClose();
    void onCheckTick();

    // --- State, for the views and tests ---------------------------------
    bool applying() const {
        return applyStarted_ && apply_.outcome() == workflow::ApplyOutcome::Pending;
    }
    bool applyStarted() const { return applyStarted_; }
    const workflow::ParameterApply& apply() const { return apply_; }
    // The comparison no longer describes the sensor shown.
    bool outdated() const { return outdated_; }
    const paramfile::FileComparison& comparison() const { return comparison_; }

    // SensorWindowListener
    void sensorWindowClosed() override;
    void parameterWriteAcknowledged() override;

  protected:
    void onLoad() override;
    void onUnload() override;

  private:
    void layOutControls();
    void checkApply();
    void noticeSensorChange();
    void compare();
    void showTexts();
    std::string outcomeText() const;
    bool canApplyNow() const;

    sensorwin::SensorWindow& sensorWindow_;
    const sensor::SessionState& session_;
    const ReportedParameters& reported_;
    const quarn::HostServices& host_;
    TickClock clock_;
    workflow::ParameterApply apply_;
    RestoreRows rows_ = makeRestoreRows();

    paramfile::ParameterFile file_;
    std::string fileName_;
    link::DeviceIdentity comparedSensor_;
    paramfile::FileComparison comparison_;
    std::string swappedTo_;  // the serial that answered in place of the sensor
    bool applyStarted_ = false;
    bool outdated_ = false;
};

}  // namespace quarn::workbench
