#pragma once
// The whole application without windows: the start window and the sensor
// window models plugged together as in the GUI, on a virtual clock that a
// RealTimeRunner keeps at real time. The commands run on it, so they speak
// to the sensor exactly as the GUI does: the adapter found by its
// description, the identity request, read before write, the write repeated
// until acknowledged and read back, the stream stopped before the adapter
// closes.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "app/Application.h"
#include "cli/HeadlessHost.h"
#include "link/DeviceIdentity.h"
#include "link/LinkStatus.h"
#include "link/ReceiveCycle.h"
#include "paramfile/ParameterFile.h"
#include "platform/D2xxDriver.h"
#include "platform/RealTimeRunner.h"
#include "platform/VirtualClock.h"
#include "sensor/SensorReplies.h"
#include "sensorwin/SensorWindow.h"

namespace quarn::cli {

// What the session runs on; all of it outlives the session.
struct SessionContext {
    D2xxDriver& driver;
    VirtualClock& clock;
    RealTime& realTime;
    std::string applicationDirectory;
    std::ostream& err;
    const std::atomic<bool>* stop = nullptr;  // set from a signal handler
};

// One live signal sample as the sensor window shows it.
struct WatchedSample {
    std::int64_t timeMs = 0;  // on the session's clock
    std::int32_t level = 0;
    bool alarm = false;
};

class HeadlessSession {
  public:
    enum class Found {
        Sensor,        // the sensor window is open and the parameters are read
        NoProgrammer,  // no adapter, two adapters, or a driver error
        OtherDevice,   // a device that is not the Zel sensor answers
        NoSensor,      // the programmer is open but no Zel sensor answered in time
        TimedOut,      // the programmer or the sensor was still being opened or read
        Stopped,       // the stop flag was set
        Ended,         // the application ended on its own (no string table)
    };

    // timeoutMs counts from here for finding the sensor and the command.
    HeadlessSession(const SessionContext& context, std::int64_t timeoutMs);
    ~HeadlessSession();
    HeadlessSession(const HeadlessSession&) = delete;
    HeadlessSession& operator=(const HeadlessSession&) = delete;

    // Starts the application and runs until the sensor's parameters are read.
    Found findSensor();

    // Runs until done() holds, the time-out or the stop flag; limitMs
    // (when given) ends the run earlier without counting as a time-out.
    RealTimeRunner::Outcome run(const std::function<bool()>& done,
                                std::optional<std::int64_t> limitMs = std::nullopt);

    // Runs for limitMs (for ever without it) or until the stop flag or
    // until done(), whatever the time-out: for a command that lasts as long
    // as the technician wants.
    RealTimeRunner::Outcome runWithoutTimeout(const std::function<bool()>& done,
                                              std::optional<std::int64_t> limitMs);

    // Ends the session as the sensor window's Exit does: the stream is
    // stopped, the last frames go out, then the adapter closes. Runs once.
    void close();

    // After findSensor(): the programmer status, the device that answered.
    std::optional<link::LinkStatus> linkStatus() const;
    const link::DeviceIdentity& device() const { return device_; }
    // The sensor's values as the lists last received them, carried ones only.
    paramfile::ListIndices reportedIndices();

    // Each live signal sample goes here while set.
    void setSampleHandler(std::function<void(const WatchedSample&)> handler) {
        sampleHandler_ = std::move(handler);
    }

    sensorwin::SensorWindow& window() { return *window_; }
    app::Application& application() { return *application_; }
    VirtualClock& clock() { return context_.clock; }

  private:
    // Hands each frame to the sensor window's decoder and reports the live
    // samples it shows.
    class SampleTap final : public link::SensorReplyDecoder {
      public:
        explicit SampleTap(HeadlessSession& session) : session_(session) {}
        void decode(const link::FrameBytes& frame, std::int16_t length) override;

      private:
        HeadlessSession& session_;
    };

    std::int64_t remainingMs() const;

    SessionContext context_;
    std::int64_t deadlineMs_;
    HeadlessHost host_;
    RealTimeRunner runner_;
    std::unique_ptr<app::Application> application_;
    std::unique_ptr<sensorwin::SensorWindow> window_;
    SampleTap tap_{*this};
    link::DeviceIdentity device_;
    std::function<void(const WatchedSample&)> sampleHandler_;
    bool closed_ = false;
};

}  // namespace quarn::cli
