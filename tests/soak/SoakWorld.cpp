#include "soak/SoakWorld.h"

#include <sstream>

#include "sim/ZelSensor.h"

namespace quarn::soak {

namespace {

constexpr std::array<std::uint8_t, 6> kLowest{1, 1, 0, 0, 0, 0};
constexpr std::array<std::uint8_t, 6> kHighest{9, 9, 2, 2, 1, 2};
constexpr std::uint16_t kFirmwares[] = {0x0100, 0x01FF, 0x0200, 0x0310};
// Violations kept in full per seed; more are only counted.
constexpr std::size_t kViolationsKept = 20;

sim::DeviceConfig RandomSensor(std::mt19937& rng, std::uint32_t seed) {
    sim::DeviceConfig config;
    WireValues v{};
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = static_cast<std::uint8_t>(
            std::uniform_int_distribution<int>(kLowest[i], kHighest[i])(rng));
    }
    config.parameters = {v[0], v[1], v[2], v[3], v[4], v[5]};
    config.firmware = kFirmwares[std::uniform_int_distribution<std::size_t>(0, 3)(rng)];
    config.serial = "SOAK" + std::to_string(100000 + seed % 900000);
    config.randomMotion = true;
    config.seed = seed;
    return config;
}

}  // namespace

SoakWorld::SoakWorld(const std::string& directory, std::uint32_t seedValue, SoakFigures& figuresOut)
    : seed(seedValue),
      figures(figuresOut),
      rng(seedValue),
      session(directory),
      programmer(session.bus.plugAdapter("QuarnProg")) {
    programmer.attachDevice(RandomSensor(rng, seedValue));
    sensor_ = programmer.device()->config();
    programmer.setSeed(seedValue);
}

sim::DeviceConfig SoakWorld::sensorConfig() {
    noteSensorParameters();
    sim::DeviceConfig config = sensor_;
    config.forcedReplyValues.reset();
    return config;
}

void SoakWorld::noteSensorParameters() {
    if (const sim::ZelSensor* zel = programmer.zelSensor()) {
        sensor_.parameters = zel->parameters();
    }
}

void SoakWorld::violation(const std::string& what) {
    if (figures.violations.size() < kViolationsKept) {
        std::ostringstream out;
        out << "seed " << seed << " at " << now() << " ms: " << what;
        figures.violations.push_back(out.str());
    } else if (figures.violations.size() == kViolationsKept) {
        figures.violations.push_back("... further violations of this seed not listed");
    }
}

}  // namespace quarn::soak
