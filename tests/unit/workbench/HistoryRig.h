#pragma once
// A signal history on the virtual clock with a host whose wall clock moves
// with it, fed samples as the sensor window would pass them on.

#include <chrono>
#include <cstdint>

#include "platform/VirtualClock.h"
#include "sensor/SensorReplies.h"
#include "support/FakeHost.h"
#include "workbench/SignalHistory.h"

namespace quarn::testing {

// Monday 7 December 2026, 14:30:00 UTC.
inline constexpr std::chrono::sys_seconds kRigStart{std::chrono::seconds{1796653800}};

class WallClockHost final : public FakeHost {
  public:
    explicit WallClockHost(const Clock& clock) : clock_(clock) {}
    std::chrono::system_clock::time_point wallClock() const override {
        return kRigStart + std::chrono::milliseconds(clock_.nowMs());
    }

  private:
    const Clock& clock_;
};

struct HistoryRig {
    static constexpr std::int64_t kSamplePeriodMs = 50;

    // One shown sample, then the clock moves on by one sample period.
    void sample(std::int32_t level, bool alarm = false, std::uint8_t mode = 2) {
        history.signalShown(sensor::SignalSample{mode, level, alarm});
        clock.advance(kSamplePeriodMs);
    }

    VirtualClock clock;
    WallClockHost host{clock};
    std::int32_t heldPeak = 0;
    workbench::SignalHistory history{clock, host, [this] { return heldPeak; }};
};

}  // namespace quarn::testing
