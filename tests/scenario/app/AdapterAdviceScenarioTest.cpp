// The explanation beside a failing programmer status, and the developer log
// of the supervision, on the virtual clock against the simulated bus.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/Application.h"
#include "platform/LoggedDriver.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "support/FakeHost.h"
#include "support/TempDir.h"

namespace quarn::app {
namespace {

class RecordingLog final : public DevLog {
  public:
    bool enabled(LogArea /*area*/) const override { return true; }
    void write(LogArea area, const std::string& line) override { lines.emplace_back(area, line); }

    bool has(LogArea area, const std::string& line) const {
        for (const auto& [loggedArea, loggedLine] : lines) {
            if (loggedArea == area && loggedLine == line) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::pair<LogArea, std::string>> lines;
};

// Advises while told to, and counts how often it was asked.
class ScriptedAdvisor final : public AdapterAdvisor {
  public:
    std::optional<AdapterAdvice> adviseOnFailedOpen() override {
        ++questions;
        return advice;
    }

    std::optional<AdapterAdvice> advice;
    int questions = 0;
};

TEST(AdapterAdviceScenario, AdviceFollowsTheFailingStatusAndTheLogKeepsEachChange) {
    quarn::testing::TempDir dir;
    std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, dir.file("StringTable.txt"));
    quarn::testing::FakeHost host;
    host.directory = dir.str();
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    RecordingLog log;
    LoggedDriver driver{bus, log};
    ScriptedAdvisor advisor;
    advisor.advice = AdapterAdvice{"QuarnProg may not be opened by this user.",
                                   "sudo install -m 644 60-quarnprog.rules /etc/udev/rules.d/"};
    Application app{driver, clock, host, &log};
    app.setAdapterAdvisor(&advisor);
    const Label& status = app.startWindow().programmerStatus;
    app.start();
    const std::string notFound =
        texts::textOf(app.state().texts, texts::StringId::ProgrammerNotFound);

    // Nothing plugged: the specified text, and the advice beside it.
    clock.advanceTo(1500);
    EXPECT_EQ(status.caption(), notFound);
    EXPECT_EQ(status.toolTip(),
              "QuarnProg may not be opened by this user.\n"
              "Fix: sudo install -m 644 60-quarnprog.rules /etc/udev/rules.d/");
    EXPECT_EQ(advisor.questions, 1);
    EXPECT_TRUE(log.has(LogArea::Link, "programmer: none -> not found"));

    // Once the programmer opens, the advice goes and is not asked for.
    sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    adapter.attachDevice(sim::DeviceConfig{});
    clock.advanceTo(2000);
    EXPECT_EQ(status.caption(),
              texts::textOf(app.state().texts, texts::StringId::ProgrammerConnected));
    EXPECT_EQ(status.toolTip(), "");
    EXPECT_EQ(advisor.questions, 1);
    EXPECT_TRUE(log.has(LogArea::Link, "programmer: not found -> open"));
    EXPECT_TRUE(log.has(LogArea::Usb, "adapter opened"));
    clock.advanceTo(2500);
    EXPECT_TRUE(log.has(LogArea::Sensor,
                        "device: type 0x0101, hardware 0x0102, firmware 0x0200, serial A123456789"))
        << "the device behind the programmer is logged once it answers";

    // Pulled out: the driver's failing calls are logged by name and status,
    // and a failing status with nothing to advise carries no tooltip.
    advisor.advice.reset();
    bus.unplug(adapter);
    clock.advanceTo(3000);
    EXPECT_EQ(status.caption(), notFound);
    EXPECT_EQ(status.toolTip(), "");
    EXPECT_TRUE(log.has(LogArea::Link, "programmer: open -> not found"));
    EXPECT_TRUE(log.has(LogArea::Usb, "adapter closed"));
    // Each change once: the programmer line for not found -> open appears once.
    int openings = 0;
    for (const auto& entry : log.lines) {
        openings += entry.second == "programmer: not found -> open" ? 1 : 0;
    }
    EXPECT_EQ(openings, 1);
}

TEST(AdapterAdviceScenario, FailedDriverCallsAreLoggedByVendorName) {
    RecordingLog log;
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    LoggedDriver driver{bus, log};
    FtHandle handle = nullptr;
    char description[] = "QuarnProg";
    EXPECT_EQ(driver.openEx(description, ft::kOpenByDescription, &handle), ft::kDeviceNotFound);
    EXPECT_EQ(driver.close(reinterpret_cast<FtHandle>(0x42)), ft::kInvalidHandle);
    EXPECT_TRUE(log.has(LogArea::Usb, "FT_OpenEx failed: FT_DEVICE_NOT_FOUND (2)"));
    EXPECT_TRUE(log.has(LogArea::Usb, "FT_Close failed: FT_INVALID_HANDLE (1)"));
    EXPECT_EQ(ftStatusName(99), "status 99");
}

}  // namespace
}  // namespace quarn::app
