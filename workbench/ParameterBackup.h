#pragma once
// Saving the sensor's parameters to a parameter file: the values the sensor
// last reported in this opening of the sensor window, never what the lists
// show (a list may hold a choice the sensor has not confirmed yet). Nothing
// is saved before the sensor's first whole reply. The file is replaced in
// one step, so an existing file is never left half written.

#include <optional>
#include <string>

#include "paramfile/ParameterFile.h"
#include "platform/HostServices.h"
#include "sensor/SessionState.h"
#include "workbench/ReportedParameters.h"

namespace quarn::workbench {

struct SaveOutcome {
    bool saved = false;
    std::string message;  // where it was saved, or why not; in the current language
};

class ParameterBackup {
  public:
    // All must outlive the backup.
    ParameterBackup(const ReportedParameters& reported, const sensor::SessionState& session,
                    const quarn::HostServices& host);

    // Why nothing can be saved now; nothing when the sensor's values can be.
    std::optional<std::string> refusal() const;
    // The file's record of the sensor's reported values, saved now; nothing
    // while refusal() gives a reason.
    std::optional<paramfile::ParameterFile> record() const;
    // Writes the record to the file at `utf8Path`.
    SaveOutcome save(const std::string& utf8Path) const;

  private:
    const ReportedParameters& reported_;
    const sensor::SessionState& session_;
    const quarn::HostServices& host_;
};

}  // namespace quarn::workbench
