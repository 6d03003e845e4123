#pragma once
// The host services of a program without windows: the application
// directory given at start (the executable's folder, where StringTable.txt
// is looked for first) and the installed data folder beside it, no
// configuration folder of its own, the time of day from the system, "." as decimal separator, and
// the critical message written on the error stream.

#include <ostream>
#include <string>

#include "platform/HostServices.h"

namespace quarn::cli {

class HeadlessHost final : public HostServices {
  public:
    HeadlessHost(std::string applicationDirectory, std::ostream& err)
        : directory_(std::move(applicationDirectory)), err_(err) {}

    std::string applicationDirectory() const override { return directory_; }
    std::string installedDataDirectory() const override {
        return installedDataDirectoryBeside(directory_);
    }
    AppVersion version() const override;
    std::string timeOfDay() const override;
    std::string decimalSeparator() const override { return "."; }
    void showCriticalMessage(const std::string& title, const std::string& text) override;
    void quitApplication() override { quitRequested_ = true; }

    bool quitRequested() const { return quitRequested_; }

  private:
    std::string directory_;
    std::ostream& err_;
    bool quitRequested_ = false;
};

}  // namespace quarn::cli
