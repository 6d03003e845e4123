#pragma once
// Real elapsed time: milliseconds since the clock was made, from the
// monotonic system clock, which Qt's timers follow too.

#include <chrono>
#include <cstdint>

#include "platform/Timers.h"

namespace quarn {

class SteadyClock final : public Clock {
  public:
    std::int64_t nowMs() const override {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - origin_)
            .count();
    }

  private:
    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
};

}  // namespace quarn
