#include "soak/InvariantChecker.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/TrafficMonitor.h"
#include "link/DeviceIdentity.h"
#include "link/ReceiveRing.h"
#include "platform/Cp1252.h"
#include "sim/ZelSensor.h"

namespace quarn::soak {

namespace {

constexpr std::int64_t kOpenDelayMs = 3000;
constexpr std::int64_t kOpenDelayAfterReturnMs = 2500;
// How recent the sensor's presence must be when the window opens: an
// identity reply is decoded within a receive cycle or two of leaving it.
constexpr std::int64_t kIdentityFreshMs = 1000;
constexpr std::int64_t kHourMs = 3600000;

std::size_t MonitorChars(const std::string& text) {
    // Counting bytes is enough while they do not pass the limit.
    return text.size() <= app::kMonitorBoxLimit ? text.size() : utf8Length(text);
}

}  // namespace

InvariantChecker::InvariantChecker(SoakWorld& world)
    : w_(world), held_(ToWire(world.sensor().parameters)), nextMemorySampleAt_(kHourMs) {}

std::int64_t InvariantChecker::ResidentKb() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t total = 0;
    std::int64_t resident = 0;
    if (!(statm >> total >> resident)) {
        return 0;
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

void InvariantChecker::expect(bool holds, const char* what) {
    ++w_.figures.invariantChecks;
    if (!holds) {
        w_.violation(what);
    }
}

void InvariantChecker::afterTick() {
    ++w_.figures.timerTicks;
    checkReceivePath();
    checkMonitor();
    checkWindowOpening();
    checkWrites();
    checkFirstReply();
    if (w_.now() >= nextMemorySampleAt_) {
        sampleMemory();
    }
}

void InvariantChecker::checkReceivePath() {
    const link::ReceiveRing& ring = w_.session.app.receiveRing();
    // Every read of the tick, as it happened, and what is left after it.
    const std::uint64_t held =
        std::max(w_.session.driver.peakHeld(), static_cast<std::uint64_t>(ring.bufferedBytes()));
    w_.figures.peakBufferedBytes = std::max(w_.figures.peakBufferedBytes, held);
    expect(held <= link::kRingSize - 1, "more than 1999 bytes buffered in the ring");
    expect(static_cast<std::size_t>(ring.bufferedBytes()) + ring.freeRoom() == link::kRingSize - 1,
           "the ring's buffered bytes and its free room disagree");
}

void InvariantChecker::checkMonitor() {
    const app::TrafficMonitor& monitor = w_.session.app.trafficMonitor();
    const std::size_t chars = std::max(MonitorChars(monitor.sentFrames.text()),
                                       MonitorChars(monitor.receivedFrames.text()));
    w_.figures.peakMonitorChars = std::max<std::uint64_t>(w_.figures.peakMonitorChars, chars);
    expect(chars <= app::kMonitorBoxLimit, "a monitor box holds more than 20000 characters");
}

void InvariantChecker::checkWindowOpening() {
    auto& app = w_.session.app;
    const auto& window = w_.session.window;
    if (w_.programmer.plugged() && w_.session.bus.adapterCount() == 1 &&
        w_.programmer.zelSensor() != nullptr) {
        sensorSeenAt_ = w_.now();
    }
    const link::ActiveWindow activeWindow = app.state().activeWindow;
    if (activeWindowWas_ == link::ActiveWindow::Sensor &&
        activeWindow == link::ActiveWindow::Start) {
        returnedToStartAt_ = w_.now();
        returnedOnce_ = true;
    }
    expect((activeWindow == link::ActiveWindow::Sensor) == window.loaded(),
           "sensor mode without the sensor window");
    expect(!app.ended(), "the application ended");
    const bool visible = window.visible();
    if (visible && !windowWasVisible_) {
        ++w_.figures.windowOpenings;
        expect(app.state().identity.type == link::kZelDeviceType,
               "the window opened without the sensor's identity");
        expect(w_.now() - sensorSeenAt_ <= kIdentityFreshMs,
               "the window opened with no sensor behind the programmer");
        // The delay counts status ticks of 500 ms; after a return the first
        // of them may come at once, so six ticks span 2500 to 3000 ms.
        const std::int64_t delay = returnedOnce_ ? kOpenDelayAfterReturnMs : kOpenDelayMs;
        expect(w_.now() - returnedToStartAt_ >= delay,
               "the window opened before the start delay ran out");
        expect(!app.aboutWindow().visible(), "the window opened over the About window");
        awaitingFirstReply_ = true;
    }
    windowWasVisible_ = visible;
    activeWindowWas_ = activeWindow;
}

void InvariantChecker::checkWrites() {
    sim::Adapter& programmer = w_.programmer;
    const sim::ZelSensor* zel = programmer.zelSensor();
    for (const sim::ReceivedFrame& frame : programmer.receivedFrames()) {
        if (frame.command != link::commandByte(link::Command::SetParameters) || !frame.checksumOk ||
            zel == nullptr) {
            continue;
        }
        ++w_.figures.writesChecked;
        expect(frame.payload.size() == (zel->hasHeight() ? 6U : 5U),
               "a parameter write of the wrong length for the sensor's firmware");
        for (std::size_t i = 0; i < std::min<std::size_t>(frame.payload.size(), 6); ++i) {
            const std::uint8_t value = frame.payload[i];
            if (value != held_[i] && !w_.chose(i, value)) {
                std::ostringstream out;
                out << "parameter " << i << " written as " << int(value) << ", the sensor held "
                    << int(held_[i]) << " and the technician did not pick it";
                w_.violation(out.str());
            }
            ++w_.figures.invariantChecks;
        }
    }
    for (const link::Command reply :
         {link::Command::Identity, link::Command::Parameters, link::Command::ParametersWritten,
          link::Command::StreamingSet, link::Command::SignalSample}) {
        w_.figures.framesDecodedByPc += programmer.repliesSent(link::commandByte(reply));
    }
    programmer.clearObservations();
    if (zel != nullptr) {
        held_ = ToWire(zel->parameters());
    }
    w_.noteSensorParameters();
}

void InvariantChecker::checkFirstReply() {
    auto& window = w_.session.window;
    const bool readPending = window.conversation().readParametersPending;
    if (window.loaded() && readPendingWas_ && !readPending) {
        // A parameter reply has just been taken whole into the lists.
        if (awaitingFirstReply_) {
            awaitingFirstReply_ = false;
            ++w_.figures.reconnectionChecks;
            const WireValues truth = ToWire(w_.sensor().parameters);
            const bool height = w_.sensor().firmware >= link::kHeightFirmware;
            using sensor::Parameter;
            auto shown = [&](Parameter p) { return window.parameterList(p).listIndex(); };
            const bool same = shown(Parameter::Sensitivity) == truth[0] - 1 &&
                              shown(Parameter::RelayOnTime) == truth[1] - 1 &&
                              shown(Parameter::ReactionSpeed) == truth[2] &&
                              shown(Parameter::MainsFilter) == truth[3] &&
                              shown(Parameter::HighTraffic) == truth[4] &&
                              shown(Parameter::InstallationHeight) == (height ? truth[5] : 0);
            expect(same, "after reconnecting the lists do not show the sensor's values");
        }
        w_.forgetChoices();
    }
    readPendingWas_ = readPending;
}

void InvariantChecker::sampleMemory() {
    nextMemorySampleAt_ += kHourMs;
    const std::int64_t kb = ResidentKb();
    if (w_.figures.firstHourRssKb == 0) {
        w_.figures.firstHourRssKb = kb;
    }
    w_.figures.lastRssKb = kb;
    w_.figures.peakRssKb = std::max(w_.figures.peakRssKb, kb);
}

}  // namespace quarn::soak
