#pragma once
// The driver the application runs on, put together from the command line:
// at the bottom the chosen backend (vendor library, libftdi1, the demo bus,
// or a recorded session played back), above it the developer log of the
// driver calls, and on top the recorder of the session when one is asked
// for. Also the advice shown when the programmer cannot be opened.

#include <functional>
#include <memory>
#include <string>

#include "gui/LaunchOptions.h"
#include "platform/AdapterAdvisor.h"
#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

namespace quarn::gui {

class DriverStack {
  public:
    struct Setting {
        LaunchOptions options;
        bool simulatedSensor = true;  // the demo bus has the Zel sensor behind it
        std::string udevRuleSource;   // the rule file the advice's fix installs
    };

    // The log must outlive the stack.
    DriverStack(const Setting& setting, DevLog& log);
    ~DriverStack();
    DriverStack(const DriverStack&) = delete;
    DriverStack& operator=(const DriverStack&) = delete;

    D2xxDriver& driver() { return *top_; }
    // Null when the backend has nothing to advise on (simulator, replay).
    AdapterAdvisor* advisor() { return advisor_.get(); }
    // What went wrong while putting it together, one line each; the program
    // goes on with what could be built and the link shows the rest.
    const std::string& problems() const { return problems_; }
    // What keeps the program from starting at all: a capture to replay that
    // cannot be read, a capture to record that cannot be made. Empty when
    // nothing does.
    const std::string& fatalProblem() const { return fatal_; }

    // Told, in one line, when a replayed session first writes something
    // other than the recorded one (it is also printed on standard error).
    void onReplayDifference(std::function<void(const std::string&)> listener) {
        differenceListener_ = std::move(listener);
    }

  private:
    void buildBottom(const Setting& setting, DevLog& log);
    void reportDifference(const std::string& line);

    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::unique_ptr<AdapterAdvisor> advisor_;
    D2xxDriver* top_ = nullptr;
    std::string problems_;
    std::string fatal_;
    std::function<void(const std::string&)> differenceListener_;
};

}  // namespace quarn::gui
