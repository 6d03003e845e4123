#include "platform/qt/QtTimerService.h"

#include <QTimerEvent>

namespace quarn::qt {

class QtTimerService::QtTimer final : public Timer {
  public:
    explicit QtTimer(QtTimerService* service) : service_(service) {}
    ~QtTimer() override { halt(); }

    void tick() { fire(); }
    void detach() {
        service_ = nullptr;
        id_ = 0;
    }

  private:
    void restartCountdown() override {
        halt();
        if (service_ != nullptr && running()) {
            id_ = service_->start(this, interval());
        }
    }
    void halt() {
        if (service_ != nullptr && id_ != 0) {
            service_->stop(id_);
        }
        id_ = 0;
    }

    QtTimerService* service_;
    int id_ = 0;
};

QtTimerService::~QtTimerService() {
    for (auto& [id, timer] : running_) {
        killTimer(id);
        timer->detach();
    }
}

std::unique_ptr<Timer> QtTimerService::createTimer() {
    return std::make_unique<QtTimer>(this);
}

int QtTimerService::start(QtTimer* timer, int intervalMs) {
    // The timers pace the conversation with the programmer and the sensor
    // (receive tick, supervision, conversation tick, peak hold): each tick
    // must come at its nominal period, not up to 5 % off as a coarse timer's.
    const int id = startTimer(intervalMs, Qt::PreciseTimer);
    if (id != 0) {
        running_[id] = timer;
    }
    return id;
}

void QtTimerService::stop(int id) {
    killTimer(id);
    running_.erase(id);
}

void QtTimerService::timerEvent(QTimerEvent* event) {
    auto it = running_.find(event->timerId());
    if (it == running_.end()) {
        return;  // stopped while the event was on its way
    }
    // The handler may destroy the timer: nothing of it is used afterwards.
    it->second->tick();
}

}  // namespace quarn::qt
