#pragma once
// The signal history: the last ten minutes of the live level as the sensor
// window's signal column showed it, kept whether the history window is
// shown or not. A fixed ring allocated once; when it is full each new
// sample takes the place of the oldest. Samples are kept across closing and
// reopening the sensor window; each counts its milliseconds from the
// opening it came in.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/HostServices.h"
#include "platform/Timers.h"
#include "sensorwin/SensorWindowListener.h"

namespace quarn::workbench {

inline constexpr std::int64_t kSignalSamplesPerSecond = 20;
inline constexpr std::int64_t kHistoryKeptSeconds = 10 * 60;
inline constexpr std::size_t kHistoryCapacity =
    static_cast<std::size_t>(kHistoryKeptSeconds * kSignalSamplesPerSecond);
static_assert(kHistoryCapacity == 12000);

struct HistorySample {
    std::int64_t clockMs = 0;      // the application clock's time (monotonic)
    std::int64_t msSinceOpen = 0;  // since the sensor window opened
    std::chrono::system_clock::time_point wallClock;
    std::int32_t level = 0;
    std::int32_t heldPeak = 0;  // the peak the column held after this sample
    bool alarm = false;
};

class SignalHistory final : public sensorwin::SensorWindowListener {
  public:
    // `heldPeak` reads the held peak the signal column shows. The clock,
    // the host and whatever `heldPeak` reads must outlive the history.
    SignalHistory(const Clock& clock, const HostServices& host,
                  std::function<std::int32_t()> heldPeak);

    std::size_t size() const { return count_; }
    std::size_t capacity() const { return ring_.size(); }
    bool empty() const { return count_ == 0; }
    // The index-th kept sample, 0 the oldest; index < size().
    const HistorySample& at(std::size_t index) const {
        return ring_[(oldest_ + index) % ring_.size()];
    }
    const HistorySample& newest() const { return at(count_ - 1); }
    // The index of the oldest sample taken at or after clockMs (size() when
    // none was). The samples are in clock order.
    std::size_t firstAtOrAfter(std::int64_t clockMs) const;

    // The clock the samples are timed by.
    std::int64_t clockNowMs() const { return clock_.nowMs(); }

    // Called after each sample is kept (one handler; empty for none).
    void setSampleHandler(std::function<void()> handler) { sampleHandler_ = std::move(handler); }

    void sensorWindowOpened() override;
    void sensorWindowClosed() override;
    void signalShown(const sensor::SignalSample& sample) override;

  private:
    const Clock& clock_;
    const HostServices& host_;
    std::function<std::int32_t()> heldPeak_;
    std::function<void()> sampleHandler_;
    std::vector<HistorySample> ring_;
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
    // When the sensor window opened; a sample without one counts from itself.
    std::optional<std::int64_t> openedAtMs_;
};

}  // namespace quarn::workbench
