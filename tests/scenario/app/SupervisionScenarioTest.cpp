// The whole application on the virtual clock against the simulated bus:
// start-up, the status supervision, the hand-over to the sensor window and
// back, and the shutdown.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "app/Application.h"
#include "app/Settings.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "support/DriverUnderTest.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace quarn::app {
namespace {

using quarn::testing::FakeHost;
using quarn::testing::TempDir;

// Stands in for the sensor window: its load sets the active window and, at its end,
// endWithSensorWindow, as the real one does.
class PlaceholderSensorWindow : public sensorwin::SensorWindowOpener,
                                public link::SensorReplyDecoder {
  public:
    PlaceholderSensorWindow(ApplicationState& state, const Clock& clock)
        : state_(state), clock_(clock) {}

    void showSensorWindow() override {
        ++openings;
        openedAtMs = clock_.nowMs();
        state_.activeWindow = link::ActiveWindow::Sensor;
        state_.endWithSensorWindow = true;
    }
    void decode(const link::FrameBytes&, std::int16_t) override { ++framesDecoded; }

    int openings = 0;
    int framesDecoded = 0;
    std::optional<std::int64_t> openedAtMs;

  private:
    ApplicationState& state_;
    const Clock& clock_;
};

// A driver whose every call fails.
class FailingDriver : public D2xxDriver {
  public:
    FtStatus listDevices(void*, void*, FtDword) override { return ft::kOtherError; }
    FtStatus openEx(void*, FtDword, FtHandle*) override { return ft::kOtherError; }
    FtStatus resetDevice(FtHandle) override { return ft::kOtherError; }
    FtStatus purge(FtHandle, FtDword) override { return ft::kOtherError; }
    FtStatus write(FtHandle, void*, FtDword, FtDword*) override { return ft::kOtherError; }
    FtStatus getQueueStatus(FtHandle, FtDword*) override { return ft::kOtherError; }
    FtStatus setTimeouts(FtHandle, FtDword, FtDword) override { return ft::kOtherError; }
    FtStatus read(FtHandle, void*, FtDword, FtDword*) override { return ft::kOtherError; }
    FtStatus close(FtHandle) override { return ft::kOtherError; }
};

class SupervisionScenario : public ::testing::Test {
  protected:
    SupervisionScenario() {
        host.directory = dir.str();
        std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, dir.file("StringTable.txt"));
    }

    sim::Adapter& plugProgrammer(std::uint16_t deviceType = sim::kZelDeviceType) {
        sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
        sim::DeviceConfig config;
        config.type = deviceType;
        adapter.attachDevice(config);
        return adapter;
    }
    void withSensorWindow() { app.setSensorWindow(&sensorWindow, &sensorWindow); }
    void advanceTo(std::int64_t ms) { clock.advanceTo(ms); }

    StartWindow& startWindow() { return app.startWindow(); }
    const std::string& text(int entry) { return app.state().texts[entry]; }
    std::string sensorFound() { return text(31) + "  " + text(33); }

    TempDir dir;
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    FakeHost host;
    testing::DriverUnderTest driverUnderTest{bus};
    Application app{driverUnderTest.driver(), clock, host};
    PlaceholderSensorWindow sensorWindow{app.state(), clock};
};

TEST_F(SupervisionScenario, RecognisedSensorOpensTheSensorWindowAt3000Ms) {
    sim::Adapter& adapter = plugProgrammer();
    withSensorWindow();
    app.start();
    EXPECT_EQ(startWindow().programmerStatus.caption(), "");
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");

    advanceTo(1499);
    EXPECT_EQ(startWindow().programmerStatus.caption(), "");
    EXPECT_EQ(adapter.framesReceived(0), 0U);
    advanceTo(1500);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(20));
    EXPECT_EQ(startWindow().programmerStatus.foreColor(), colors::kGood);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");  // the first tick shows no device
    EXPECT_EQ(adapter.framesReceived(0), 1U);

    advanceTo(1999);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    advanceTo(2000);
    EXPECT_EQ(startWindow().deviceStatus.caption(), sensorFound());
    EXPECT_EQ(startWindow().deviceStatus.foreColor(), colors::kGood);

    advanceTo(2999);
    EXPECT_EQ(sensorWindow.openings, 0);
    EXPECT_TRUE(startWindow().visible());
    advanceTo(3000);
    EXPECT_EQ(sensorWindow.openings, 1);
    EXPECT_EQ(sensorWindow.openedAtMs, 3000);
    EXPECT_FALSE(startWindow().visible());
    EXPECT_TRUE(startWindow().loaded());
    EXPECT_EQ(app.state().activeWindow, link::ActiveWindow::Sensor);

    // While the sensor window is in charge the status tick does nothing.
    const std::size_t requests = adapter.framesReceived(0);
    advanceTo(8000);
    EXPECT_EQ(adapter.framesReceived(0), requests);
    EXPECT_EQ(sensorWindow.openings, 1);
    EXPECT_TRUE(startWindow().supervisionTimer->enabled());
    EXPECT_TRUE(startWindow().receiveTimer->enabled());
}

TEST_F(SupervisionScenario, UnpluggedProgrammerAndDetachedSensorAreShownAtTheNextTicks) {
    sim::Adapter& adapter = plugProgrammer();
    app.start();
    advanceTo(2000);
    ASSERT_EQ(startWindow().deviceStatus.caption(), sensorFound());

    bus.unplug(adapter);
    advanceTo(2500);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(22));
    EXPECT_EQ(startWindow().programmerStatus.foreColor(), colors::kFault);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    EXPECT_EQ(startWindow().deviceStatus.foreColor(), colors::kGood);  // colour untouched

    bus.replug(adapter);
    advanceTo(3000);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(20));
    advanceTo(3500);
    EXPECT_EQ(startWindow().deviceStatus.caption(), sensorFound());

    // A missing reply shows as no device: the tick at 4000 still shows the
    // reply to the request of 3500; the one at 4500 finds none.
    adapter.detachDevice();
    advanceTo(4500);
    EXPECT_EQ(startWindow().deviceStatus.caption(), text(30));
    EXPECT_EQ(startWindow().deviceStatus.foreColor(), colors::kFault);
}

TEST_F(SupervisionScenario, TwoProgrammersAreShownAndNeitherIsOpened) {
    sim::Adapter& first = plugProgrammer();
    sim::Adapter& second = plugProgrammer();
    withSensorWindow();
    app.start();
    advanceTo(1500);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(23));
    EXPECT_EQ(startWindow().programmerStatus.foreColor(), colors::kFault);
    advanceTo(5000);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    EXPECT_EQ(bus.openHandleCount(), 0U);
    EXPECT_EQ(first.framesReceived(0) + second.framesReceived(0), 0U);
    EXPECT_EQ(sensorWindow.openings, 0);
}

TEST_F(SupervisionScenario, SecondProgrammerPluggedInWhileTheFirstIsOpenIsShownAtTheNextTick) {
    sim::Adapter& first = plugProgrammer();
    app.start();
    advanceTo(2000);
    ASSERT_EQ(startWindow().programmerStatus.caption(), text(20));
    ASSERT_EQ(startWindow().deviceStatus.caption(), sensorFound());
    ASSERT_EQ(bus.openHandleCount(), 1U);

    advanceTo(2100);
    sim::Adapter& second = bus.plugAdapter("QuarnProg");
    second.attachDevice(sim::DeviceConfig{});
    advanceTo(2499);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(20))
        << "nothing changes between ticks";
    advanceTo(2500);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(23));
    EXPECT_EQ(startWindow().programmerStatus.foreColor(), colors::kFault);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    EXPECT_EQ(bus.openHandleCount(), 0U) << "neither adapter is kept open";

    // No request reaches either adapter while both are there.
    const std::size_t firstRequests = first.framesReceived(0);
    advanceTo(5000);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(23));
    EXPECT_EQ(first.framesReceived(0), firstRequests);
    EXPECT_EQ(second.framesReceived(0), 0U);
}

TEST_F(SupervisionScenario, OtherDeviceTypeIsShownAndNeverOpened) {
    plugProgrammer(258);
    withSensorWindow();
    app.start();
    advanceTo(2000);
    EXPECT_EQ(startWindow().deviceStatus.caption(), text(32));
    EXPECT_EQ(startWindow().deviceStatus.foreColor(), colors::kFault);
    advanceTo(20000);
    EXPECT_EQ(sensorWindow.openings, 0);
    EXPECT_EQ(startWindow().deviceStatus.caption(), text(32));
    EXPECT_TRUE(startWindow().visible());
}

TEST_F(SupervisionScenario, SensorWithoutASensorWindowPluggedInIsOnlyShown) {
    plugProgrammer();
    app.start();
    advanceTo(10000);
    EXPECT_EQ(startWindow().deviceStatus.caption(), sensorFound());
    EXPECT_EQ(app.state().activeWindow, link::ActiveWindow::Start);
    EXPECT_TRUE(startWindow().visible());
}

TEST_F(SupervisionScenario, AboutWindowHoldsTheDeviceLabelAndTheOpeningBack) {
    sim::Adapter& adapter = plugProgrammer();
    withSensorWindow();
    app.start();
    advanceTo(1000);
    startWindow().aboutMenu.click();
    advanceTo(1500);
    EXPECT_EQ(startWindow().programmerStatus.caption(), text(20));
    advanceTo(4000);
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    EXPECT_EQ(sensorWindow.openings, 0);
    EXPECT_GE(adapter.framesReceived(0), 5U);  // identity requests keep going out

    advanceTo(4200);
    app.aboutWindow().okButton.click();
    advanceTo(4499);
    EXPECT_EQ(sensorWindow.openings, 0);
    advanceTo(4500);
    EXPECT_EQ(startWindow().deviceStatus.caption(), sensorFound());
    EXPECT_EQ(sensorWindow.openings, 1);
    EXPECT_EQ(sensorWindow.openedAtMs, 4500);
}

TEST_F(SupervisionScenario, ReturnFromTheSensorWindowWaitsSixTicksBeforeReopening) {
    plugProgrammer();
    withSensorWindow();
    app.start();
    advanceTo(3000);
    ASSERT_EQ(sensorWindow.openings, 1);

    // The sensor window closes itself because the sensor stopped answering.
    advanceTo(4200);
    app.state().endWithSensorWindow = false;
    app.returnToStart();
    EXPECT_TRUE(startWindow().visible());
    EXPECT_EQ(startWindow().programmerStatus.caption(), "");
    EXPECT_EQ(startWindow().deviceStatus.caption(), "");
    EXPECT_EQ(startWindow().programmerStatus.foreColor(), colors::kGood);
    EXPECT_EQ(startWindow().deviceStatus.foreColor(), colors::kGood);
    EXPECT_EQ(app.state().sensorWindowDelayMs, 3000);
    EXPECT_EQ(app.state().activeWindow, link::ActiveWindow::Start);
    EXPECT_FALSE(app.ended());

    advanceTo(6999);  // ticks at 4500 ... 6500
    EXPECT_EQ(sensorWindow.openings, 1);
    EXPECT_EQ(startWindow().deviceStatus.caption(), sensorFound());
    advanceTo(7000);
    EXPECT_EQ(sensorWindow.openings, 2);
}

TEST_F(SupervisionScenario, ClosingTheSensorWindowByHandEndsTheApplication) {
    plugProgrammer();
    withSensorWindow();
    app.start();
    advanceTo(3000);
    ASSERT_EQ(sensorWindow.openings, 1);
    app.returnToStart();  // endWithSensorWindow is still True
    EXPECT_TRUE(app.ended());
    EXPECT_FALSE(startWindow().visible());
    EXPECT_EQ(host.quitRequests, 1);
    EXPECT_EQ(bus.openHandleCount(), 0U);
    EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(Language::English));
}

TEST_F(SupervisionScenario, ExitClosesTheLinkAndWritesTheSettings) {
    sim::Adapter& adapter = plugProgrammer();
    app.start();
    advanceTo(2000);
    ASSERT_EQ(bus.openHandleCount(), 1U);
    startWindow().exitMenu.click();
    EXPECT_EQ(bus.openHandleCount(), 0U);
    EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(Language::English));
    EXPECT_EQ(host.quitRequests, 1);
    const std::size_t requests = adapter.framesReceived(0);
    advanceTo(10000);
    EXPECT_EQ(adapter.framesReceived(0), requests);
    EXPECT_EQ(bus.openHandleCount(), 0U);
}

TEST_F(SupervisionScenario, VisibleMonitorShowsTheIdentityExchange) {
    plugProgrammer();
    app.start();
    app.showMonitor();
    advanceTo(1500);
    EXPECT_EQ(app.trafficMonitor().sentFrames.text(), "01020000000103\r\n");
    advanceTo(1600);
    EXPECT_EQ(app.trafficMonitor().receivedFrames.text().rfind("01020101", 0), 0U);
}

TEST(FailingDriverScenario, EveryFailingCallShowsTheDriverFault) {
    if (testing::libftdiUnderTest()) {
        GTEST_SKIP() << "drives a failing driver of its own, not the bus";
    }
    TempDir dir;
    std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, dir.file("StringTable.txt"));
    VirtualClock clock;
    FailingDriver driver;
    FakeHost host;
    host.directory = dir.str();
    Application app(driver, clock, host);
    app.start();
    clock.advanceTo(1500);
    EXPECT_EQ(app.startWindow().programmerStatus.caption(), app.state().texts[21]);
    EXPECT_EQ(app.startWindow().programmerStatus.foreColor(), colors::kFault);
    clock.advanceTo(5000);
    EXPECT_EQ(app.startWindow().deviceStatus.caption(), "");
    EXPECT_TRUE(host.messages.empty());
    app.startWindow().exitMenu.click();
    EXPECT_TRUE(app.ended());
}

}  // namespace
}  // namespace quarn::app
