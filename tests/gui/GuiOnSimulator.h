#pragma once
// The fixture the window tests start from: the whole application with its
// Qt windows, in its own directory, on the simulated programmer and the
// virtual clock. A test attaches the sensor it wants to adapter_ in its
// constructor, then SetUp (or startGui) starts the application and waits
// for the sensor window.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <functional>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"

namespace quarn::guitest {

template <typename Base = ::testing::Test>
class GuiOnSimulator : public Base {
  protected:
    static constexpr int kStepMs = 10;
    static constexpr int kPatienceMs = 20000;

    // language: the settings file's language line (none: English);
    // decimalSeparator: the user's, as the host reports it.
    explicit GuiOnSimulator(int language, const std::string& decimalSeparator = ",")
        : dir_(true, language) {
        dir_.host.separator = decimalSeparator;
    }

    void SetUp() override { startGui(); }
    void TearDown() override {
        gui_.reset();
        settle();
    }

    void startGui() {
        gui_ = std::make_unique<gui::GuiApplication>(bus_, clock_, dir_.host);
        gui_->start(false);
        ASSERT_TRUE(advanceUntil([this] { return gui_->sensorWindow().visible(); }))
            << "the supervision opens the sensor window";
        settle();
    }

    // Moves virtual time in small steps, letting Qt handle its events after
    // each, until the condition holds.
    bool advanceUntil(const std::function<bool()>& condition) {
        for (int waited = 0; waited <= kPatienceMs; waited += kStepMs) {
            if (condition()) {
                return true;
            }
            clock_.advance(kStepMs);
            QCoreApplication::processEvents();
        }
        return condition();
    }

    AppDirectory dir_;
    VirtualClock clock_;
    sim::SimulatedBus bus_{clock_};
    sim::Adapter& adapter_ = bus_.plugAdapter("QuarnProg");
    std::unique_ptr<gui::GuiApplication> gui_;
};

}  // namespace quarn::guitest
