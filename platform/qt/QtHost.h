#pragma once
// The host services of the running program, answered by Qt: the
// executable's directory, the installed data folder beside it, the user's
// configuration folder, the version it was built as, the time of day and
// decimal separator of the user's locale, the critical message box and the
// end of the event loop.

#include "platform/HostServices.h"

namespace quarn::qt {

class QtHost final : public HostServices {
  public:
    std::string applicationDirectory() const override;
    std::string installedDataDirectory() const override;
    std::string userConfigDirectory() const override;
    AppVersion version() const override;
    std::string timeOfDay() const override;
    std::string decimalSeparator() const override;
    void showCriticalMessage(const std::string& title, const std::string& text) override;
    void quitApplication() override;

    // True once the logic has asked the application to end; main() then
    // does not enter (or leaves) the event loop.
    bool quitRequested() const { return quitRequested_; }

  private:
    bool quitRequested_ = false;
};

}  // namespace quarn::qt
