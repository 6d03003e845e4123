// A whole session recorded on the simulator and replayed: the programmer
// found, the sensor window opened, the parameters read, a change written.
// The replay, given the same clicks at the same times, makes the same writes
// and shows the same windows; a capture with one received byte changed
// shows where the replay parts from the field.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "drivers/capture/CaptureFile.h"
#include "drivers/capture/CaptureRecorder.h"
#include "drivers/capture/CaptureSyntax.h"
#include "drivers/capture/ReplayDriver.h"
#include "scenario/capture/AppOnDriver.h"
#include "scenario/sensor/SensorSession.h"

namespace quarn::capture {
namespace {

using Bytes = std::vector<std::uint8_t>;
using sensor::Parameter;

constexpr std::int64_t kChangeAtMs = 5000;
constexpr std::int64_t kSessionEndMs = 8000;
constexpr std::int64_t kLookEveryMs = 50;

using AppRun = testing::AppOnDriver;

// What the technician sees, as one text.
std::string whatIsShown(AppRun& run) {
    auto& start = run.app.startWindow();
    auto& window = run.window;
    std::string shown = "start " + std::to_string(start.visible()) + " '" +
                        start.programmerStatus.caption() + "' '" + start.deviceStatus.caption() +
                        "'\nsensor " + std::to_string(window.visible()) + " '" +
                        window.statusBar.panelText("identity") + "' lists";
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        shown += " " + std::to_string(window.parameterList(row.parameter).listIndex());
    }
    shown += " level " + window.levelValue.caption() + " peak " + window.peakValue.caption() +
             " alarm " + std::to_string(window.alarmLed.on());
    shown += "\nsent\n" + run.app.trafficMonitor().sentFrames.text();
    shown += "received\n" + run.app.trafficMonitor().receivedFrames.text();
    return shown;
}

// The technician's session: start with the monitor shown, wait for the
// sensor window, raise the sensitivity by one at 5000 ms, look every 50 ms.
std::vector<std::string> runSession(AppRun& run, VirtualClock& clock) {
    run.app.start();
    run.app.showMonitor();
    std::vector<std::string> looks;
    for (std::int64_t t = kLookEveryMs; t <= kSessionEndMs; t += kLookEveryMs) {
        clock.advanceTo(t);
        if (t == kChangeAtMs) {
            ComboList& sensitivity = run.window.parameterList(Parameter::Sensitivity);
            sensitivity.dropDown();
            sensitivity.userSelect(static_cast<std::int16_t>(sensitivity.listIndex() + 1));
        }
        looks.push_back(whatIsShown(run));
    }
    return looks;
}

std::vector<std::string> writesIn(const std::vector<CaptureEvent>& events) {
    std::vector<std::string> writes;
    for (const CaptureEvent& event : events) {
        if (event.call == CaptureCall::Write) {
            writes.push_back(std::to_string(event.timeMs) + " " + hexBytes(*event.data));
        }
    }
    return writes;
}

std::unique_ptr<CaptureRecorder> recorderOrFail(D2xxDriver& driver, const Clock& clock,
                                                const std::filesystem::path& path) {
    auto opening = CaptureRecorder::create(driver, clock, path, "scenario");
    if (!opening.recorder) {
        throw std::runtime_error(opening.error);
    }
    return std::move(opening.recorder);
}

class CaptureReplayScenario : public ::testing::Test {
  protected:
    // Records the session on a simulated programmer with a Zel sensor.
    void SetUp() override {
        VirtualClock clock;
        sim::SimulatedBus bus{clock};
        sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
        adapter.attachDevice(sim::DeviceConfig{});
        auto recorder = recorderOrFail(bus, clock, files.file("field.capture"));
        AppRun run(*recorder, clock, dir.path.string());
        fieldLooks = runSession(run, clock);
        ASSERT_TRUE(recorder->recording()) << recorder->problem();
        ASSERT_EQ(adapter.zelSensor()->parameters().sensitivity, 6);
        const ParsedCapture parsed = readCaptureFile(files.file("field.capture"));
        ASSERT_TRUE(parsed.ok()) << parsed.error->message();
        field = parsed.events;
    }

    testing::SessionDirectory dir;
    testing::TempDir files;
    std::vector<std::string> fieldLooks;
    std::vector<CaptureEvent> field;
};

TEST_F(CaptureReplayScenario, ReplayMakesTheSameWritesAndShowsTheSameWindows) {
    // The session did what it is meant to show.
    ASSERT_FALSE(fieldLooks.empty());
    EXPECT_NE(fieldLooks.back().find("sensor 1 'A123456789 - HW: 102 - FW: 200' lists 5"),
              std::string::npos)
        << fieldLooks.back();
    const std::vector<std::string> fieldWrites = writesIn(field);
    ASSERT_GE(fieldWrites.size(), 10U);

    VirtualClock clock;
    int reports = 0;
    ReplayDriver replay(field, clock, [&](const WriteDifference&) { ++reports; });
    auto recorder = recorderOrFail(replay, clock, files.file("desk.capture"));
    AppRun run(*recorder, clock, dir.path.string());
    const std::vector<std::string> deskLooks = runSession(run, clock);

    ASSERT_EQ(deskLooks.size(), fieldLooks.size());
    for (std::size_t i = 0; i < deskLooks.size(); ++i) {
        ASSERT_EQ(deskLooks[i], fieldLooks[i]) << "at " << (i + 1) * kLookEveryMs << " ms";
    }
    EXPECT_EQ(reports, 0);
    EXPECT_FALSE(replay.firstDifference().has_value());
    EXPECT_EQ(replay.writesMade(), replay.recordedWrites());

    const ParsedCapture desk = readCaptureFile(files.file("desk.capture"));
    ASSERT_TRUE(desk.ok()) << desk.error->message();
    EXPECT_EQ(writesIn(desk.events), fieldWrites);
}

// The parameter reply with its sensitivity byte changed fails its checksum:
// the window does not take it, so the conversation's next tick asks for the
// parameters again where the technician's program went on to the next
// identity request.
TEST_F(CaptureReplayScenario, ChangedReplyByteIsReportedAtTheWriteThatFollows) {
    const Bytes parameterReplyHead = {0x01, 0x02, 0x03, 0x05};  // sensitivity 5
    std::size_t readLine = 0;
    std::int64_t readAt = 0;
    for (CaptureEvent& event : field) {
        if (event.call != CaptureCall::Read) {
            continue;
        }
        Bytes& data = *event.data;
        const auto at = std::search(data.begin(), data.end(), parameterReplyHead.begin(),
                                    parameterReplyHead.end());
        if (at != data.end()) {
            at[3] = 0x06;
            readLine = event.line;
            readAt = event.timeMs;
            break;
        }
    }
    ASSERT_NE(readLine, 0U) << "no parameter reply in the capture";

    // The write that follows the changed read in the capture.
    std::size_t writesBefore = 0;
    const CaptureEvent* following = nullptr;
    for (const CaptureEvent& event : field) {
        if (event.call == CaptureCall::Write) {
            if (event.timeMs <= readAt) {
                ++writesBefore;
            } else {
                following = &event;
                break;
            }
        }
    }
    ASSERT_NE(following, nullptr);

    VirtualClock clock;
    std::vector<WriteDifference> reports;
    ReplayDriver replay(field, clock, [&](const WriteDifference& d) { reports.push_back(d); });
    AppRun run(replay, clock, dir.path.string());
    runSession(run, clock);

    ASSERT_EQ(reports.size(), 1U);
    const WriteDifference& difference = reports.front();
    EXPECT_EQ(replay.firstDifference(), difference);
    EXPECT_EQ(difference.writeNumber, writesBefore + 1);
    EXPECT_EQ(difference.captureLine, following->line);
    EXPECT_EQ(difference.recordedAtMs, following->timeMs);
    EXPECT_EQ(difference.recorded, (Bytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03}))
        << "the field's next write: the identity request";
    EXPECT_EQ(difference.actual, (Bytes{0x01, 0x02, 0x02, 0x00, 0x02, 0x01, 0x03}))
        << "the replay's: the parameters asked for again";
    // Asked again at the conversation tick after the read.
    EXPECT_EQ(difference.replayedAtMs, (readAt / 100 + 1) * 100);
    EXPECT_LT(difference.replayedAtMs, difference.recordedAtMs);
    // The monitor shows the frame that failed.
    const std::string failed = app::checksumErrorLine("010203060201010001000D0103", run.host);
    EXPECT_NE(run.app.trafficMonitor().receivedFrames.text().find(failed), std::string::npos);
}

}  // namespace
}  // namespace quarn::capture
