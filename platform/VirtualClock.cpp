#include "platform/VirtualClock.h"

#include <algorithm>

namespace quarn {

class VirtualClock::VirtualTimer final : public Timer {
  public:
    explicit VirtualTimer(VirtualClock* clock) : clock_(clock) {}
    ~VirtualTimer() override {
        if (clock_ != nullptr) {
            clock_->remove(this);
        }
    }

    std::int64_t due() const { return due_; }
    std::uint64_t sequence() const { return sequence_; }

    void restartCountdown() override {
        if (clock_ != nullptr && running()) {
            clock_->arm(this);
        }
    }
    void setDue(std::int64_t due, std::uint64_t sequence) {
        due_ = due;
        sequence_ = sequence;
    }
    void detach() { clock_ = nullptr; }
    void tick() { fire(); }

  private:
    VirtualClock* clock_;
    std::int64_t due_ = 0;
    std::uint64_t sequence_ = 0;
};

VirtualClock::~VirtualClock() {
    for (auto* timer : timers_) {
        timer->detach();
    }
}

std::unique_ptr<Timer> VirtualClock::createTimer() {
    auto timer = std::make_unique<VirtualTimer>(this);
    timers_.push_back(timer.get());
    return timer;
}

void VirtualClock::arm(VirtualTimer* timer) {
    timer->setDue(now_ + timer->interval(), ++armSequence_);
}

void VirtualClock::remove(VirtualTimer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

VirtualClock::VirtualTimer* VirtualClock::nextTimerDueBy(std::int64_t limit) const {
    VirtualTimer* best = nullptr;
    for (auto* timer : timers_) {
        if (!timer->running() || timer->due() > limit) {
            continue;
        }
        if (best == nullptr || timer->due() < best->due() ||
            (timer->due() == best->due() && timer->sequence() < best->sequence())) {
            best = timer;
        }
    }
    return best;
}

void VirtualClock::advance(std::int64_t ms) {
    advanceTo(now_ + (ms < 0 ? 0 : ms));
}

void VirtualClock::advanceTo(std::int64_t timeMs) {
    while (VirtualTimer* timer = nextTimerDueBy(timeMs)) {
        now_ = std::max(now_, timer->due());
        // Re-arm before the tick: the handler may change or destroy the timer.
        arm(timer);
        timer->tick();
    }
    now_ = std::max(now_, timeMs);
}

std::optional<std::int64_t> VirtualClock::nextDue() const {
    VirtualTimer* timer = nextTimerDueBy(INT64_MAX);
    if (timer == nullptr) {
        return std::nullopt;
    }
    return timer->due();
}

std::size_t VirtualClock::activeTimers() const {
    return static_cast<std::size_t>(
        std::count_if(timers_.begin(), timers_.end(), [](auto* t) { return t->running(); }));
}

}  // namespace quarn
