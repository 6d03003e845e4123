#pragma once
// Window timers and the clock. The logic creates its timers through a
// TimerService: Qt timers in the product, a virtual clock in tests, fuzzing
// and benchmarks. The simulator reads the time from the same Clock.

#include <cstdint>
#include <functional>
#include <memory>

namespace quarn {

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary, fixed origin; never goes backwards.
    virtual std::int64_t nowMs() const = 0;
};

// A window timer: fires every interval() milliseconds while enabled and the
// interval is above 0. Setting the interval or enabling restarts the
// countdown, as a window timer does. The tick handler may change or even
// destroy this timer; the implementation must not touch it after the call.
class Timer {
  public:
    virtual ~Timer() = default;

    void setInterval(int ms) {
        interval_ = ms < 0 ? 0 : ms;
        restartCountdown();
    }
    int interval() const { return interval_; }
    void setEnabled(bool enabled) {
        enabled_ = enabled;
        restartCountdown();
    }
    bool enabled() const { return enabled_; }
    // Enabled with an interval above 0.
    bool running() const { return enabled_ && interval_ > 0; }

    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  protected:
    // Called after every change of interval or enabled state: the
    // implementation starts a fresh countdown from now when running(), and
    // stops any countdown otherwise.
    virtual void restartCountdown() = 0;

    void fire() {
        if (handler_) {
            // Copy: the handler may replace itself or destroy the timer.
            auto handler = handler_;
            handler();
        }
    }

  private:
    int interval_ = 0;
    bool enabled_ = false;
    std::function<void()> handler_;
};

class TimerService {
  public:
    virtual ~TimerService() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
    // The clock the timers count by.
    virtual const Clock& clock() const = 0;
};

}  // namespace quarn
