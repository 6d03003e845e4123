#include "cli/HeadlessSession.h"

#include <algorithm>

#include "link/Commands.h"
#include "link/ReceivedFrame.h"

namespace quarn::cli {

namespace {

// After the stream stop the receive timer runs this long more, so that the
// sensor's last samples and its acknowledgement are read off the line
// rather than left in the driver.
constexpr std::int64_t kFinalFramesMs = 150;

bool isSensor(const link::DeviceIdentity& identity) {
    return identity.type == link::kZelDeviceType;
}

}  // namespace

HeadlessSession::HeadlessSession(const SessionContext& context, std::int64_t timeoutMs)
    : context_(context),
      deadlineMs_(context.clock.nowMs() + timeoutMs),
      host_(context.applicationDirectory, context.err),
      runner_(context.clock, context.realTime),
      application_(std::make_unique<app::Application>(context.driver, context.clock, host_)) {
    app::Application& app = *application_;
    window_ = std::make_unique<sensorwin::SensorWindow>(
        app.state(), app.sender(), app.trafficMonitor(), context.clock, app.host(),
        [&app] { app.returnToStart(); });
    app.setSensorWindow(window_.get(), &tap_);
}

HeadlessSession::~HeadlessSession() {
    close();
    application_->setSensorWindow(nullptr, nullptr);
    window_.reset();
    application_.reset();
}

void HeadlessSession::SampleTap::decode(const link::FrameBytes& frame, std::int16_t length) {
    HeadlessSession& session = session_;
    session.window_->replyDecoder().decode(frame, length);
    // The decoder shows a sample only when it passes the checks it applies
    // to every frame: the same two are asked here.
    if (link::commandOf(frame) != link::Command::SignalSample || !session.sampleHandler_ ||
        !link::checksumMatches(frame, length) ||
        length <
            sensor::minimumReplyLength(link::Command::SignalSample,
                                       session.application_->state().identity.firmwareVersion)) {
        return;
    }
    session.sampleHandler_(WatchedSample{session.context_.clock.nowMs(),
                                         session.window_->levelBar.value(),
                                         session.window_->alarmLed.on()});
}

std::int64_t HeadlessSession::remainingMs() const {
    return std::max<std::int64_t>(0, deadlineMs_ - context_.clock.nowMs());
}

RealTimeRunner::Outcome HeadlessSession::run(const std::function<bool()>& done,
                                             std::optional<std::int64_t> limitMs) {
    const std::int64_t remaining = remainingMs();
    if (limitMs && *limitMs < remaining) {
        const RealTimeRunner::Outcome outcome = runner_.runUntil(done, *limitMs, context_.stop);
        // The caller's own limit is not the session's time-out.
        return outcome == RealTimeRunner::Outcome::TimedOut ? RealTimeRunner::Outcome::Done
                                                            : outcome;
    }
    return runner_.runUntil(done, remaining, context_.stop);
}

RealTimeRunner::Outcome HeadlessSession::runWithoutTimeout(const std::function<bool()>& done,
                                                           std::optional<std::int64_t> limitMs) {
    // Without a limit: a thousand years of clock time.
    constexpr std::int64_t kForeverMs = std::int64_t{1000} * 365 * 24 * 3600 * 1000;
    return runner_.runUntil(done, limitMs.value_or(kForeverMs), context_.stop);
}

HeadlessSession::Found HeadlessSession::findSensor() {
    app::Application& app = *application_;
    app.start();
    if (app.ended()) {
        return Found::Ended;
    }
    std::optional<Found> found;
    bool sensorAnswered = false;
    const auto decided = [&]() {
        if (app.ended()) {
            found = Found::Ended;
            return true;
        }
        const auto status = app.startWindow().lastLinkStatus();
        if (status && *status != link::LinkStatus::Open) {
            found = Found::NoProgrammer;
            return true;
        }
        const link::DeviceIdentity& identity = app.state().identity;
        sensorAnswered = sensorAnswered || isSensor(identity);
        if (identity.type != 0 && !isSensor(identity)) {
            device_ = identity;
            found = Found::OtherDevice;
            return true;
        }
        const sensor::ConversationState& conversation = window_->conversation();
        if (window_->visible() && isSensor(conversation.listsReportedBy) &&
            !conversation.readParametersPending) {
            device_ = conversation.listsReportedBy;
            found = Found::Sensor;
            return true;
        }
        return false;
    };
    switch (run(decided)) {
        case RealTimeRunner::Outcome::Done:
            return *found;
        case RealTimeRunner::Outcome::Stopped:
            return Found::Stopped;
        case RealTimeRunner::Outcome::TimedOut:
            break;
    }
    // A programmer that stayed open without a Zel sensor ever answering is
    // an absent sensor; a sensor still being opened or read is a time-out.
    const auto status = app.startWindow().lastLinkStatus();
    return status == link::LinkStatus::Open && !sensorAnswered ? Found::NoSensor : Found::TimedOut;
}

std::optional<link::LinkStatus> HeadlessSession::linkStatus() const {
    return application_->startWindow().lastLinkStatus();
}

paramfile::ListIndices HeadlessSession::reportedIndices() {
    paramfile::ListIndices indices{};
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (sensor::carriedBy(row, device_.firmwareVersion)) {
            indices[sensor::indexOf(row.parameter)] =
                window_->parameterMemory()[row.parameter].lastReported;
        }
    }
    return indices;
}

void HeadlessSession::close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    sampleHandler_ = nullptr;
    app::Application& app = *application_;
    if (app.ended()) {
        return;
    }
    if (window_->visible()) {
        // As the Exit menu: the stream stop goes out. The window closes back
        // to the start window rather than ending the application, so that
        // the adapter stays open while the last replies come in.
        app.state().endWithSensorWindow = false;
        window_->onExit();
    }
    if (!app.ended()) {
        const std::int64_t until = context_.clock.nowMs() + kFinalFramesMs;
        runner_.runUntil([&] { return context_.clock.nowMs() >= until; }, kFinalFramesMs);
        // The shutdown closes the adapter.
        app.startWindow().onExit();
    }
}

}  // namespace quarn::cli
