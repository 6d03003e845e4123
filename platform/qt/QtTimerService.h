#pragma once
// Window timers on Qt's event loop. One QObject drives all timers through
// its own timer ids, so a tick handler may stop, restart or destroy the very
// timer that fired it: the timer object is never touched after its handler.
// The service must outlive the timers it creates.

#include <QObject>
#include <map>
#include <memory>

#include "platform/SteadyClock.h"
#include "platform/Timers.h"

namespace quarn::qt {

class QtTimerService final : public QObject, public TimerService {
  public:
    QtTimerService() = default;
    ~QtTimerService() override;

    std::unique_ptr<Timer> createTimer() override;
    const Clock& clock() const override { return clock_; }

    // Timers currently counting down (for tests and diagnostics).
    std::size_t runningTimers() const { return running_.size(); }

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    class QtTimer;
    friend class QtTimer;

    // Starts (or restarts) the countdown; returns the id to stop it with.
    int start(QtTimer* timer, int intervalMs);
    void stop(int id);

    std::map<int, QtTimer*> running_;
    SteadyClock clock_;
};

}  // namespace quarn::qt
