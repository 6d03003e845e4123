#pragma once
// The host of a screenshot run: an application directory of its own (so the
// settings file written at the end touches nobody's installation), the
// build's version, and a time of day that follows the virtual clock, so the
// same run gives the same pictures.

#include <cstdint>
#include <string>
#include <utility>

#include "platform/HostServices.h"
#include "platform/Timers.h"

namespace quarn::shots {

class ShotsHost final : public HostServices {
  public:
    ShotsHost(std::string directory, const Clock& clock, std::string decimalSeparator)
        : directory_(std::move(directory)),
          clock_(clock),
          decimalSeparator_(std::move(decimalSeparator)) {}

    std::string applicationDirectory() const override { return directory_; }
    AppVersion version() const override {
        return AppVersion{QUARN_VERSION_MAJOR, QUARN_VERSION_MINOR, QUARN_VERSION_PATCH};
    }
    // Ten in the morning plus the virtual time, as hh:mm:ss.
    std::string timeOfDay() const override;
    std::string decimalSeparator() const override { return decimalSeparator_; }
    void showCriticalMessage(const std::string& title, const std::string& text) override;
    void quitApplication() override { quitRequested_ = true; }

    bool quitRequested() const { return quitRequested_; }

  private:
    std::string directory_;
    const Clock& clock_;
    std::string decimalSeparator_;
    bool quitRequested_ = false;
};

}  // namespace quarn::shots
