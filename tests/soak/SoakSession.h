#pragma once
// The application under soak: the sensor-window session of the scenario
// tests, with one addition. The driver the application talks to is the
// simulated bus behind a thin layer that watches every read, so that the
// bytes a read adds to the receive ring can be checked against the ring's
// free room at the moment they arrive, not only after the cycle.

#include <cstdint>
#include <string>

#include "app/Application.h"
#include "link/ReceiveRing.h"
#include "platform/D2xxDriver.h"
#include "platform/VirtualClock.h"
#include "sensorwin/SensorWindow.h"
#include "sim/SimulatedBus.h"
#include "support/FakeHost.h"

namespace quarn::soak {

class WatchedDriver final : public D2xxDriver {
  public:
    explicit WatchedDriver(D2xxDriver& inner) : inner_(inner) {}

    void watch(const link::ReceiveRing& ring) { ring_ = &ring; }
    // The most bytes the ring held right after a read: its unexamined bytes
    // plus what the read brought.
    std::uint64_t peakHeld() const { return peakHeld_; }
    std::uint64_t reads() const { return reads_; }

    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override {
        return inner_.listDevices(arg1, arg2, flags);
    }
    FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) override {
        return inner_.openEx(arg1, flags, handle);
    }
    FtStatus resetDevice(FtHandle handle) override { return inner_.resetDevice(handle); }
    FtStatus purge(FtHandle handle, FtDword mask) override { return inner_.purge(handle, mask); }
    FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                   FtDword* bytesWritten) override {
        return inner_.write(handle, buffer, bytesToWrite, bytesWritten);
    }
    FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) override {
        return inner_.getQueueStatus(handle, rxBytes);
    }
    FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) override {
        return inner_.setTimeouts(handle, readTimeout, writeTimeout);
    }
    FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                  FtDword* bytesReturned) override {
        const FtStatus status = inner_.read(handle, buffer, bytesToRead, bytesReturned);
        ++reads_;
        if (ring_ != nullptr && status == ft::kOk && bytesReturned != nullptr) {
            const std::uint64_t held =
                static_cast<std::uint64_t>(ring_->bufferedBytes()) + *bytesReturned;
            peakHeld_ = std::max(peakHeld_, held);
        }
        return status;
    }
    FtStatus close(FtHandle handle) override { return inner_.close(handle); }

  private:
    D2xxDriver& inner_;
    const link::ReceiveRing* ring_ = nullptr;
    std::uint64_t peakHeld_ = 0;
    std::uint64_t reads_ = 0;
};

struct SoakSession {
    explicit SoakSession(const std::string& directory) {
        host.directory = directory;
        app.setSensorWindow(&window, &window.replyDecoder());
        driver.watch(app.receiveRing());
    }

    // Declared in this order so that the window goes before the application
    // and both before the bus and the clock.
    VirtualClock clock;
    testing::FakeHost host;
    sim::SimulatedBus bus{clock};
    WatchedDriver driver{bus};
    app::Application app{driver, clock, host};
    sensorwin::SensorWindow window{app.state(), app.sender(), app.trafficMonitor(),
                                   clock,       app.host(),   [this] { app.returnToStart(); }};
};

}  // namespace quarn::soak
