#pragma once
// The clock the signal history times its samples by: the timer service's
// own when it is one (the virtual clock of tests, benchmarks and the
// screenshot tour), otherwise the monotonic system clock, which Qt's timers
// follow too.

#include "platform/Timers.h"
#include "sim/SteadyClock.h"

namespace quarn::gui {

class HistoryClock final : public Clock {
  public:
    explicit HistoryClock(const TimerService& timers)
        : timerClock_(dynamic_cast<const Clock*>(&timers)) {}

    std::int64_t nowMs() const override {
        return timerClock_ != nullptr ? timerClock_->nowMs() : steady_.nowMs();
    }

  private:
    const Clock* timerClock_;
    sim::SteadyClock steady_;
};

}  // namespace quarn::gui
