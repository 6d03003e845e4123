// Arbitrary bytes as a capture file. Whatever the bytes, reading them gives
// either the calls or an error naming a line within the text. Calls read
// once write back to lines that read as the same calls. A capture that
// reads is then replayed in place of the driver under a whole application
// for six seconds of virtual time, long enough for the status supervision to
// open the sensor window: answers and bytes from the capture, whatever they
// are, must never break the application, and a difference is reported at
// most once.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "drivers/capture/CaptureLine.h"
#include "drivers/capture/CaptureParser.h"
#include "drivers/capture/ReplayDriver.h"
#include "scenario/capture/AppOnDriver.h"

namespace {

using quarn::fuzz::Expect;
namespace capture = quarn::capture;

constexpr std::int64_t kReplayMs = 6000;
constexpr std::int64_t kStepMs = 50;

quarn::fuzz::ScratchDirectory& Directory() {
    // One application directory for the whole process, made on first use.
    static quarn::fuzz::ScratchDirectory directory;
    return directory;
}

std::size_t LineCount(std::string_view text) {
    std::size_t lines = 1;
    for (const char c : text) {
        lines += c == '\n' ? 1 : 0;
    }
    return lines;
}

void CheckWritesBack(const std::vector<capture::CaptureEvent>& events) {
    std::string text = std::string(capture::kCaptureHeader) + "\n";
    for (const capture::CaptureEvent& event : events) {
        text += capture::captureLine(event) + "\n";
    }
    const capture::ParsedCapture again = capture::parseCapture(text);
    Expect(again.ok(), "a capture written from read calls does not read");
    Expect(again.events.size() == events.size(), "written back with another number of calls");
    for (std::size_t i = 0; i < events.size(); ++i) {
        capture::CaptureEvent expected = events[i];
        expected.line = i + 2;
        Expect(again.events[i] == expected, "a call written back reads as another");
    }
}

void Replay(std::vector<capture::CaptureEvent> events) {
    const quarn::fuzz::ScratchDirectory& directory = Directory();
    if (!std::filesystem::exists(directory.file("StringTable.txt"))) {
        directory.write("StringTable.txt", quarn::fuzz::WorkingStringTable());
    }
    quarn::VirtualClock clock;
    int reports = 0;
    capture::ReplayDriver replay(std::move(events), clock,
                                 [&](const capture::WriteDifference&) { ++reports; });
    quarn::testing::AppOnDriver run(replay, clock, directory.str());
    run.app.start();
    run.app.showMonitor();
    Expect(!run.app.ended(), "the application did not start");
    for (std::int64_t t = kStepMs; t <= kReplayMs && !run.app.ended(); t += kStepMs) {
        clock.advanceTo(t);
        Expect(reports <= 1, "a difference reported twice");
    }
    Expect(reports == (replay.firstDifference() ? 1 : 0), "difference kept and reported disagree");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    capture::ParsedCapture parsed = capture::parseCapture(text);
    if (!parsed.ok()) {
        Expect(parsed.events.empty(), "calls kept beside an error");
        Expect(!parsed.error->problem.empty(), "an error without a problem");
        Expect(parsed.error->line >= 1 && parsed.error->line <= LineCount(text),
               "an error on a line the text does not have");
        return 0;
    }
    CheckWritesBack(parsed.events);
    Replay(std::move(parsed.events));
    return 0;
}
