#pragma once
// Everything one soak seed works on: a whole application with the sensor
// window on the virtual clock, the simulated programmer with the sensor
// behind it, the seed's random generator, what is known for certain about
// the sensor (the ground truth the invariants compare against), and the
// figures of the run.

#include <array>
#include <cstdint>
#include <random>
#include <set>
#include <string>

#include "sim/DeviceConfig.h"
#include "soak/SoakFigures.h"
#include "soak/SoakSession.h"

namespace quarn::soak {

// The six parameters in wire encoding, in payload order.
using WireValues = std::array<std::uint8_t, 6>;

inline WireValues ToWire(const sim::ZelParameters& p) {
    return {p.sensitivity, p.relayOnTime, p.reactionSpeed, p.mainsFilter, p.highTraffic, p.height};
}

class SoakWorld {
  public:
    SoakWorld(const std::string& directory, std::uint32_t seed, SoakFigures& figures);

    std::int64_t now() const { return session.clock.nowMs(); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; }
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    // A delay drawn evenly between lo and hi milliseconds.
    std::int64_t delay(std::int64_t lo, std::int64_t hi) {
        return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng);
    }
    // The time until the next of a stream of events that come meanMs apart
    // on average, at random.
    std::int64_t nextEventIn(double meanMs) {
        return 1 +
               static_cast<std::int64_t>(std::exponential_distribution<double>(1.0 / meanMs)(rng));
    }

    // The sensor as the simulator should hold it when it is attached: its
    // identity and the parameters it has stored, kept up to date while it is
    // detached or replaced by another device.
    sim::DeviceConfig sensorConfig();
    // Refreshes the stored parameters from the attached sensor, if any.
    void noteSensorParameters();
    const sim::DeviceConfig& sensor() const { return sensor_; }
    void setFirmware(std::uint16_t firmware) { sensor_.firmware = firmware; }
    // From now on another sensor is the one behind the programmer.
    void replaceSensor(const sim::DeviceConfig& other) { sensor_ = other; }

    // Values the technician picked for each parameter since the sensor's
    // last parameter reply reached the lists.
    void recordChoice(std::size_t parameter, std::uint8_t wireValue) {
        choices_[parameter].insert(wireValue);
    }
    bool chose(std::size_t parameter, std::uint8_t wireValue) const {
        return choices_[parameter].count(wireValue) != 0;
    }
    void forgetChoices() {
        for (auto& set : choices_) {
            set.clear();
        }
    }

    void violation(const std::string& what);

    const std::uint32_t seed;
    SoakFigures& figures;
    std::mt19937 rng;
    SoakSession session;
    sim::Adapter& programmer;

  private:
    sim::DeviceConfig sensor_;
    std::array<std::set<std::uint8_t>, 6> choices_;
};

}  // namespace quarn::soak
