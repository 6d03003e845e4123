#pragma once
// A whole application on a virtual clock with a recording host, living in a
// temporary application directory.

#include <filesystem>
#include <memory>
#include <string>

#include "app/Application.h"
#include "platform/VirtualClock.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace quarn::testing {

inline void CopyDeliveredStringTable(const TempDir& dir) {
    std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, dir.file("StringTable.txt"),
                               std::filesystem::copy_options::overwrite_existing);
}

// The fatal message for a string table found nowhere, when the only place
// looked in is folder.
inline std::string fatalTextLookingIn(const std::string& folder) {
    return "Unable to find file \"StringTable.txt\", the application will be terminated\n\n"
           "Places looked in:\n" +
           folder;
}

// Owns everything an application needs except the driver, which differs
// from test to test. Members are declared so that the application goes first.
class ShellFixture {
  public:
    explicit ShellFixture(D2xxDriver& driver) : driver_(driver) { host.directory = dir.str(); }

    app::Application& app() {
        if (!app_) {
            app_ = std::make_unique<app::Application>(driver_, clock, host);
        }
        return *app_;
    }
    app::StartWindow& startWindow() { return app().startWindow(); }
    app::ApplicationState& state() { return app().state(); }
    const app::StringTableEntries& texts() { return state().texts; }

    TempDir dir;
    VirtualClock clock;
    FakeHost host;

  private:
    D2xxDriver& driver_;
    std::unique_ptr<app::Application> app_;
};

}  // namespace quarn::testing
