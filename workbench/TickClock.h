#pragma once
// Time counted in the ticks of one window timer: each tick adds the timer's
// interval. The restore window measures its apply with it, in the same
// steps as the sensor window's conversation counts its own ticks, so that
// the apply's waits for the acknowledgement (5 s) and for the next identity
// cycle are counted as the conversation counts them, on the virtual clock in
// tests and on Qt timers alike. A late tick makes a wait longer, never
// shorter.

#include <cstdint>

#include "platform/Timers.h"

namespace quarn::workbench {

class TickClock final : public quarn::Clock {
  public:
    std::int64_t nowMs() const override { return nowMs_; }
    void tick(int intervalMs) { nowMs_ += intervalMs; }

  private:
    std::int64_t nowMs_ = 0;
};

}  // namespace quarn::workbench
