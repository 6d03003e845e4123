#include "soak/SoakRun.h"

#include <chrono>

#include "soak/FaultInjector.h"
#include "soak/InvariantChecker.h"
#include "soak/SoakWorld.h"
#include "soak/Technician.h"

namespace quarn::soak {

SoakFigures RunSeed(const std::string& directory, std::uint32_t seed, double virtualHours) {
    const auto wallStart = std::chrono::steady_clock::now();
    SoakFigures figures;
    figures.seeds = 1;
    {
        SoakWorld world(directory, seed, figures);
        FaultInjector faults(world);
        Technician technician(world);
        InvariantChecker checker(world);
        world.session.app.start();

        const auto end = static_cast<std::int64_t>(virtualHours * 3600000.0);
        VirtualClock& clock = world.session.clock;
        while (clock.nowMs() < end && !world.session.app.ended()) {
            faults.step();
            technician.step();
            // One timer tick at a time, so that every tick is followed by the checks.
            const auto due = clock.nextDue();
            clock.advanceTo(due ? std::min(*due, end) : end);
            checker.afterTick();
        }
        figures.virtualHours = static_cast<double>(clock.nowMs()) / 3600000.0;
        figures.lastRssKb = InvariantChecker::ResidentKb();
        figures.peakRssKb = std::max(figures.peakRssKb, figures.lastRssKb);
    }
    figures.wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return figures;
}

}  // namespace quarn::soak
