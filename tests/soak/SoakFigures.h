#pragma once
// What a soak run counts and finds: faults injected by kind, technician
// actions by kind, invariant checks, violations, and the speed and memory
// figures of the run.

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace quarn::soak {

enum class Fault : std::size_t {
    ProgrammerUnplugged,
    SecondProgrammer,
    SensorDetached,
    DeviceTypeChanged,
    FirmwareChanged,
    SensorSwapped,
    NoiseBurst,
    CorruptedChecksums,
    DroppedReplies,
    ShortReplies,
    OutOfRangeValues,
    NoiseFlood,
    Count
};

enum class Action : std::size_t {
    ListDroppedDown,
    ItemClicked,
    ClosedWithoutClick,
    AboutOpened,
    AboutClosed,
    LanguageSwitched,
    MonitorShown,
    MonitorHidden,
    Count
};

const char* FaultName(Fault fault);
const char* ActionName(Action action);

struct SoakFigures {
    std::uint32_t seeds = 0;
    double virtualHours = 0;
    double wallSeconds = 0;
    std::array<std::uint64_t, static_cast<std::size_t>(Fault::Count)> faults{};
    std::array<std::uint64_t, static_cast<std::size_t>(Action::Count)> actions{};
    std::uint64_t timerTicks = 0;       // check rounds: one after every timer tick
    std::uint64_t invariantChecks = 0;  // single invariants evaluated
    std::uint64_t windowOpenings = 0;
    std::uint64_t reconnectionChecks = 0;  // lists compared after a reopening
    std::uint64_t writesChecked = 0;
    std::uint64_t framesDecodedByPc = 0;  // replies the programmer put on the line
    std::uint64_t peakBufferedBytes = 0;
    std::uint64_t peakMonitorChars = 0;
    std::int64_t firstHourRssKb = 0;  // resident memory after the first virtual hour
    std::int64_t lastRssKb = 0;       // at the end
    std::int64_t peakRssKb = 0;
    std::vector<std::string> violations;

    void add(const SoakFigures& other);
    void print(std::ostream& out) const;
};

}  // namespace quarn::soak
