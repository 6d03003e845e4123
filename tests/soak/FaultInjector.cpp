#include "soak/FaultInjector.h"

#include <string>
#include <vector>

#include "sim/ZelSensor.h"

namespace quarn::soak {

namespace {

constexpr double kMeanFaultIntervalMs = 20000;
constexpr int kFloodBytesPerSecond = 1000000;
constexpr std::uint16_t kForeignTypes[] = {0x0102, 0x0201, 0x1234, 0xFFFF};
constexpr std::uint16_t kFirmwares[] = {0x0100, 0x01FF, 0x0200, 0x0310};
constexpr std::array<std::uint8_t, 6> kHighest{9, 9, 2, 2, 1, 2};

}  // namespace

FaultInjector::FaultInjector(SoakWorld& world)
    : w_(world), nextAt_(w_.nextEventIn(kMeanFaultIntervalMs)) {}

bool FaultInjector::deviceFaultRunning() const {
    return running(Fault::SensorDetached) || running(Fault::DeviceTypeChanged) ||
           running(Fault::FirmwareChanged) || running(Fault::SensorSwapped);
}

void FaultInjector::step() {
    const std::int64_t now = w_.now();
    for (std::size_t i = 0; i < kKinds; ++i) {
        if (endAt_[i] && *endAt_[i] <= now) {
            endAt_[i].reset();
            end(static_cast<Fault>(i));
        }
    }
    if (now < nextAt_) {
        return;
    }
    nextAt_ = now + w_.nextEventIn(kMeanFaultIntervalMs);
    const auto fault = static_cast<Fault>(w_.uniform(0, static_cast<int>(kKinds) - 1));
    if (running(fault)) {
        return;
    }
    if (const auto duration = start(fault)) {
        ++w_.figures.faults[static_cast<std::size_t>(fault)];
        if (*duration > 0) {
            endAt_[static_cast<std::size_t>(fault)] = now + *duration;
        }
    }
}

std::optional<std::int64_t> FaultInjector::start(Fault fault) {
    sim::Adapter& programmer = w_.programmer;
    switch (fault) {
        case Fault::ProgrammerUnplugged:
            w_.session.bus.unplug(programmer);
            return w_.delay(100, 20000);
        case Fault::SecondProgrammer:
            if (second_ == nullptr) {
                second_ = &w_.session.bus.plugAdapter("QuarnProg");
            } else {
                w_.session.bus.replug(*second_);
            }
            return w_.delay(500, 20000);
        case Fault::SensorDetached:
            if (deviceFaultRunning()) {
                return std::nullopt;
            }
            w_.noteSensorParameters();
            programmer.detachDevice();
            return w_.delay(100, 20000);
        case Fault::DeviceTypeChanged: {
            if (deviceFaultRunning()) {
                return std::nullopt;
            }
            sim::DeviceConfig other = w_.sensorConfig();
            other.type = kForeignTypes[static_cast<std::size_t>(w_.uniform(0, 3))];
            programmer.attachDevice(other);
            return w_.delay(200, 20000);
        }
        case Fault::FirmwareChanged:
            // Reprogramming takes the sensor off the line for a while; it
            // comes back with the new firmware word and its parameters.
            if (deviceFaultRunning()) {
                return std::nullopt;
            }
            w_.noteSensorParameters();
            programmer.detachDevice();
            return w_.delay(5000, 30000);
        case Fault::SensorSwapped:
            // The technician unplugs the sensor and plugs in another one,
            // quickly enough that the window may stay open.
            if (deviceFaultRunning()) {
                return std::nullopt;
            }
            w_.noteSensorParameters();
            programmer.detachDevice();
            return w_.delay(800, 3000);
        case Fault::NoiseBurst: {
            std::vector<std::uint8_t> noise(static_cast<std::size_t>(w_.uniform(1, 4000)));
            for (auto& b : noise) {
                // Rich in the marker bytes, so that frames start and break.
                const int pick = w_.uniform(0, 7);
                b = static_cast<std::uint8_t>(pick < 3 ? pick + 1 : w_.uniform(0, 255));
            }
            programmer.injectNoise(noise);
            return 0;
        }
        case Fault::CorruptedChecksums:
            programmer.setCorruptChecksumRate(w_.uniform(5, 100) / 100.0);
            return w_.delay(1000, 60000);
        case Fault::DroppedReplies:
            programmer.setDropReplyRate(w_.uniform(5, 100) / 100.0);
            return w_.delay(1000, 60000);
        case Fault::ShortReplies:
            programmer.setShortReplyRate(w_.uniform(5, 100) / 100.0);
            return w_.delay(1000, 60000);
        case Fault::OutOfRangeValues:
            if (programmer.zelSensor() == nullptr) {
                return std::nullopt;
            }
            forceOutOfRangeReplies();
            return w_.delay(500, 20000);
        case Fault::NoiseFlood:
            programmer.setNoiseFlood(kFloodBytesPerSecond);
            return w_.delay(500, 10000);
        case Fault::Count:
            break;
    }
    return std::nullopt;
}

void FaultInjector::end(Fault fault) {
    sim::Adapter& programmer = w_.programmer;
    switch (fault) {
        case Fault::ProgrammerUnplugged:
            w_.session.bus.replug(programmer);
            break;
        case Fault::SecondProgrammer:
            w_.session.bus.unplug(*second_);
            break;
        case Fault::SensorDetached:
            programmer.reattachDevice();
            break;
        case Fault::DeviceTypeChanged:
            programmer.attachDevice(w_.sensorConfig());
            break;
        case Fault::FirmwareChanged:
            w_.setFirmware(kFirmwares[static_cast<std::size_t>(w_.uniform(0, 3))]);
            programmer.attachDevice(w_.sensorConfig());
            break;
        case Fault::SensorSwapped:
            programmer.attachDevice(anotherSensor());
            break;
        case Fault::CorruptedChecksums:
            programmer.setCorruptChecksumRate(0);
            break;
        case Fault::DroppedReplies:
            programmer.setDropReplyRate(0);
            break;
        case Fault::ShortReplies:
            programmer.setShortReplyRate(0);
            break;
        case Fault::OutOfRangeValues:
            if (sim::ZelSensor* zel = programmer.zelSensor()) {
                zel->setForcedReplyValues(std::nullopt);
            }
            break;
        case Fault::NoiseFlood:
            programmer.setNoiseFlood(0);
            break;
        case Fault::NoiseBurst:
        case Fault::Count:
            break;
    }
}

void FaultInjector::forceOutOfRangeReplies() {
    sim::ZelSensor& zel = *w_.programmer.zelSensor();
    WireValues values = ToWire(zel.parameters());
    const auto k = static_cast<std::size_t>(w_.uniform(0, zel.hasHeight() ? 5 : 4));
    values[k] = k < 2 ? static_cast<std::uint8_t>(w_.chance(0.5) ? 0 : w_.uniform(10, 255))
                      : static_cast<std::uint8_t>(w_.uniform(kHighest[k] + 1, 255));
    zel.setForcedReplyValues(values);
}

sim::DeviceConfig FaultInjector::anotherSensor() {
    sim::DeviceConfig other = w_.sensorConfig();
    ++sensorsSwappedIn_;
    other.serial = "S" + std::to_string(100000000 + sensorsSwappedIn_);
    other.firmware = kFirmwares[static_cast<std::size_t>(w_.uniform(0, 3))];
    other.parameters = {
        static_cast<std::uint8_t>(w_.uniform(1, 9)), static_cast<std::uint8_t>(w_.uniform(1, 9)),
        static_cast<std::uint8_t>(w_.uniform(0, 2)), static_cast<std::uint8_t>(w_.uniform(0, 2)),
        static_cast<std::uint8_t>(w_.uniform(0, 1)), static_cast<std::uint8_t>(w_.uniform(0, 2))};
    other.seed = static_cast<std::uint32_t>(sensorsSwappedIn_);
    w_.replaceSensor(other);
    return other;
}

}  // namespace quarn::soak
