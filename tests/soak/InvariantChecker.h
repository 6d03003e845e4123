#pragma once
// The promises checked after every timer tick of a soak run:
// - the receive ring never holds more than 1999 unexamined bytes and its
//   indices and the extractor's position stay in their ranges;
// - the monitor boxes never hold more than 20000 characters;
// - the sensor window opens only when the simulated sensor is really behind
//   the one programmer, its identity has been decoded, the start delay has
//   run out since the main window took over, and the About window is closed;
//   sensor mode and the open window go together;
// - the first parameter reply taken after each opening makes the lists show
//   the values the sensor holds;
// - every parameter write the sensor receives has the length its firmware
//   calls for and carries, in each parameter, either the value the sensor
//   held or a value the technician picked since the last reply reached the
//   lists.
// Memory is sampled at every virtual hour.

#include <cstdint>
#include <limits>

#include "soak/SoakWorld.h"

namespace quarn::soak {

class InvariantChecker {
  public:
    explicit InvariantChecker(SoakWorld& world);

    void afterTick();
    // Resident memory now, in kB (0 when it cannot be read).
    static std::int64_t ResidentKb();

  private:
    void expect(bool holds, const char* what);
    void checkReceivePath();
    void checkMonitor();
    void checkWindowOpening();
    void checkWrites();
    void checkFirstReply();
    void sampleMemory();

    SoakWorld& w_;
    WireValues held_;  // the sensor's parameters as of the previous check
    bool windowWasVisible_ = false;
    link::ActiveWindow activeWindowWas_ = link::ActiveWindow::Start;
    bool readPendingWas_ = false;
    bool awaitingFirstReply_ = false;
    std::int64_t returnedToStartAt_ = 0;  // start-up counts as the first return
    bool returnedOnce_ = false;
    std::int64_t sensorSeenAt_ = std::numeric_limits<std::int32_t>::min();
    std::int64_t nextMemorySampleAt_;
};

}  // namespace quarn::soak
