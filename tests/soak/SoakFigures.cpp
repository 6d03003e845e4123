#include "soak/SoakFigures.h"

#include <algorithm>
#include <iomanip>

namespace quarn::soak {

const char* FaultName(Fault fault) {
    constexpr std::array<const char*, static_cast<std::size_t>(Fault::Count)> kNames{
        "programmer unplugged/replugged",
        "second programmer appeared",
        "sensor detached/reattached",
        "device type changed",
        "firmware changed",
        "sensor swapped for another",
        "noise burst",
        "corrupted checksums",
        "dropped replies",
        "short replies",
        "out-of-range parameter values",
        "1 MB/s noise flood"};
    return kNames[static_cast<std::size_t>(fault)];
}

const char* ActionName(Action action) {
    constexpr std::array<const char*, static_cast<std::size_t>(Action::Count)> kNames{
        "list dropped down", "item clicked",      "closed without a click", "About opened",
        "About closed",      "language switched", "monitor shown",          "monitor hidden"};
    return kNames[static_cast<std::size_t>(action)];
}

void SoakFigures::add(const SoakFigures& other) {
    seeds += other.seeds;
    virtualHours += other.virtualHours;
    wallSeconds += other.wallSeconds;
    for (std::size_t i = 0; i < faults.size(); ++i) {
        faults[i] += other.faults[i];
    }
    for (std::size_t i = 0; i < actions.size(); ++i) {
        actions[i] += other.actions[i];
    }
    timerTicks += other.timerTicks;
    invariantChecks += other.invariantChecks;
    windowOpenings += other.windowOpenings;
    reconnectionChecks += other.reconnectionChecks;
    writesChecked += other.writesChecked;
    framesDecodedByPc += other.framesDecodedByPc;
    peakBufferedBytes = std::max(peakBufferedBytes, other.peakBufferedBytes);
    peakMonitorChars = std::max(peakMonitorChars, other.peakMonitorChars);
    if (firstHourRssKb == 0) {
        firstHourRssKb = other.firstHourRssKb;
    }
    lastRssKb = other.lastRssKb;
    peakRssKb = std::max(peakRssKb, other.peakRssKb);
    violations.insert(violations.end(), other.violations.begin(), other.violations.end());
}

void SoakFigures::print(std::ostream& out) const {
    out << std::fixed << std::setprecision(1);
    out << "seeds: " << seeds << ", virtual hours: " << virtualHours
        << ", wall time: " << wallSeconds << " s, virtual/real speed: "
        << (wallSeconds > 0 ? virtualHours * 3600.0 / wallSeconds : 0.0) << "x\n";
    std::uint64_t faultTotal = 0;
    out << "faults injected:\n";
    for (std::size_t i = 0; i < faults.size(); ++i) {
        out << "  " << std::setw(32) << std::left << FaultName(static_cast<Fault>(i)) << std::right
            << faults[i] << '\n';
        faultTotal += faults[i];
    }
    out << "  " << std::setw(32) << std::left << "total" << std::right << faultTotal << '\n';
    std::uint64_t actionTotal = 0;
    out << "technician actions:\n";
    for (std::size_t i = 0; i < actions.size(); ++i) {
        out << "  " << std::setw(32) << std::left << ActionName(static_cast<Action>(i))
            << std::right << actions[i] << '\n';
        actionTotal += actions[i];
    }
    out << "  " << std::setw(32) << std::left << "total" << std::right << actionTotal << '\n';
    out << "timer ticks checked: " << timerTicks << ", invariant checks: " << invariantChecks
        << "\nsensor window openings: " << windowOpenings
        << ", lists compared after reopening: " << reconnectionChecks
        << ", parameter writes checked: " << writesChecked
        << "\nsensor replies put on the line: " << framesDecodedByPc
        << "\npeak bytes buffered in the ring: " << peakBufferedBytes
        << ", peak monitor box characters: " << peakMonitorChars
        << "\nresident memory: " << firstHourRssKb << " kB after the first hour, " << lastRssKb
        << " kB at the end, peak " << peakRssKb << " kB\n";
    out << "violations: " << violations.size() << '\n';
    for (const std::string& violation : violations) {
        out << "  " << violation << '\n';
    }
}

}  // namespace quarn::soak
