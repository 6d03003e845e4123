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

    virtual void setInterval(int ms) = 0;
    virtual int interval() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool enabled() const = 0;

    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

  protected:
    void fire() {
        if (handler_) {
            // Copy: the handler may replace itself or destroy the timer.
            auto handler = handler_;
            handler();
        }
    }

  private:
    std::function<void()> handler_;
};

class TimerService {
  public:
    virtual ~TimerService() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace quarn
