#include "sim/Adapter.h"

#include <algorithm>
#include <cmath>

#include "sim/DeviceCommands.h"
#include "sim/ZelSensor.h"

namespace quarn::sim {

namespace {
constexpr std::size_t kSerialLength = 10;
// Far beyond what a full-speed USB adapter carries; keeps the arithmetic safe.
constexpr int kMaxFloodBytesPerSecond = 10'000'000;

double validRate(double rate) {
    return std::isnan(rate) ? 0.0 : std::clamp(rate, 0.0, 1.0);
}

std::unique_ptr<Device> makeDevice(DeviceConfig config) {
    if (config.type == kZelDeviceType) {
        return std::make_unique<ZelSensor>(std::move(config));
    }
    return std::make_unique<ForeignDevice>(std::move(config));
}
}  // namespace

Adapter::Adapter(const Clock& clock, std::string description, std::string serialNumber,
                 std::uint32_t seed)
    : clock_(clock),
      description_(std::move(description)),
      serialNumber_(std::move(serialNumber)),
      rng_(seed),
      floodStartMs_(clock.nowMs()) {}

Adapter::~Adapter() = default;

void Adapter::attachDevice(DeviceConfig config) {
    catchUp();
    if (device_) {
        device_->powerDown();
    }
    detached_.reset();
    device_ = makeDevice(std::move(config));
}

void Adapter::detachDevice() {
    catchUp();
    if (device_) {
        device_->powerDown();
        detached_ = std::move(device_);
    }
}

bool Adapter::reattachDevice() {
    catchUp();
    if (!detached_) {
        return false;
    }
    device_ = std::move(detached_);
    return true;
}

ZelSensor* Adapter::zelSensor() {
    return dynamic_cast<ZelSensor*>(device_.get());
}

void Adapter::setReplyDelayMs(int ms) {
    catchUp();
    replyDelayMs_ = std::max(ms, 0);
}

void Adapter::setSeed(std::uint32_t seed) {
    rng_.seed(seed);
}

void Adapter::setDropReplyRate(double rate) {
    dropRate_ = validRate(rate);
}

void Adapter::setCorruptChecksumRate(double rate) {
    corruptRate_ = validRate(rate);
}

void Adapter::setShortReplyRate(double rate) {
    shortRate_ = validRate(rate);
}

void Adapter::injectNoise(std::span<const std::uint8_t> bytes) {
    catchUp();
    if (plugged_) {
        queue_.push(clock_.nowMs(), bytes);
    }
}

void Adapter::setNoiseFlood(int bytesPerSecond) {
    catchUp();
    floodBytesPerSecond_ = std::clamp(bytesPerSecond, 0, kMaxFloodBytesPerSecond);
    floodStartMs_ = clock_.nowMs();
    floodBytesDone_ = 0;
}

void Adapter::clearObservations() {
    received_.clear();
    receivedCounts_.fill(0);
    sentCounts_.fill(0);
    badFrames_ = 0;
}

std::size_t Adapter::bytesWaiting() {
    catchUp();
    return queue_.available(clock_.nowMs());
}

void Adapter::plugIn() {
    if (plugged_) {
        return;
    }
    plugged_ = true;
    floodStartMs_ = clock_.nowMs();
    floodBytesDone_ = 0;
}

void Adapter::pullOut() {
    if (!plugged_) {
        return;
    }
    catchUp();
    plugged_ = false;
    // Open handles of the old connection stay dead, even after a replug.
    ++plugGeneration_;
    queue_.clear();
    decoder_.reset();
    // The programmer powers the device from the USB line.
    if (device_) {
        device_->powerDown();
    }
}

void Adapter::catchUp() {
    if (!plugged_) {
        return;
    }
    const std::int64_t now = clock_.nowMs();
    if (device_) {
        device_->advanceTo(now, *this);
    }
    runNoiseFlood(now);
}

void Adapter::runNoiseFlood(std::int64_t nowMs) {
    if (floodBytesPerSecond_ <= 0) {
        return;
    }
    const std::int64_t due = (nowMs - floodStartMs_) * floodBytesPerSecond_ / 1000;
    const std::int64_t count = due - floodBytesDone_;
    if (count <= 0) {
        return;
    }
    floodBytesDone_ = due;
    // Only what still fits is worth generating; the rest is lost anyway.
    const auto room = static_cast<std::int64_t>(queue_.capacity() - queue_.size());
    std::vector<std::uint8_t> noise(static_cast<std::size_t>(std::min(count, room)));
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : noise) {
        b = static_cast<std::uint8_t>(byte(rng_));
    }
    queue_.push(nowMs, noise);
}

void Adapter::acceptWire(std::span<const std::uint8_t> bytes) {
    const std::int64_t now = clock_.nowMs();
    for (std::uint8_t b : bytes) {
        if (auto frame = decoder_.feed(b)) {
            frame->timeMs = now;
            handleFrame(std::move(*frame));
        }
    }
}

std::size_t Adapter::readBytes(std::span<std::uint8_t> out) {
    return queue_.read(clock_.nowMs(), out);
}

void Adapter::purgeReceive() {
    queue_.discardArrived(clock_.nowMs());
}

void Adapter::handleFrame(ReceivedFrame frame) {
    if (frame.checksumOk) {
        ++receivedCounts_[frame.command];
    } else {
        ++badFrames_;
    }
    if (received_.size() >= kFrameLogLimit) {
        received_.pop_front();
    }
    received_.push_back(frame);

    // A real programmer ignores a frame that fails its checksum.
    if (!frame.checksumOk || !device_) {
        return;
    }
    if (frame.command == command::kGetIdentity) {
        replyIdentity(frame.timeMs);
    } else {
        device_->handleFrame(frame, *this);
    }
}

void Adapter::replyIdentity(std::int64_t atMs) {
    const DeviceConfig& id = device_->config();
    std::vector<std::uint8_t> payload;
    payload.reserve(4 + kSerialLength + 4);
    payload.push_back(static_cast<std::uint8_t>(id.type >> 8));
    payload.push_back(static_cast<std::uint8_t>(id.type & 0xFF));
    for (std::size_t i = 0; i < kSerialLength; ++i) {
        payload.push_back(i < id.serial.size() ? static_cast<std::uint8_t>(id.serial[i]) : ' ');
    }
    payload.push_back(static_cast<std::uint8_t>(id.hardware >> 8));
    payload.push_back(static_cast<std::uint8_t>(id.hardware & 0xFF));
    payload.push_back(static_cast<std::uint8_t>(id.firmware >> 8));
    payload.push_back(static_cast<std::uint8_t>(id.firmware & 0xFF));
    send(atMs, command::kIdentity, std::move(payload));
}

bool Adapter::draw(double rate) {
    if (rate <= 0.0) {
        return false;
    }
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    return chance(rng_) < rate;
}

void Adapter::send(std::int64_t atMs, std::uint8_t command, std::vector<std::uint8_t> payload) {
    if (draw(dropRate_)) {
        return;
    }
    if (!payload.empty() && draw(shortRate_)) {
        std::uniform_int_distribution<std::size_t> keep(0, payload.size() - 1);
        payload.resize(keep(rng_));
    }
    std::uint16_t checksum = frameChecksum(command, payload);
    if (draw(corruptRate_)) {
        std::uniform_int_distribution<int> flip(1, 0xFFFF);
        checksum = static_cast<std::uint16_t>(checksum ^ flip(rng_));
    }
    queue_.push(atMs + replyDelayMs_, encodeFrameWithChecksum(command, payload, checksum));
    ++sentCounts_[command];
}

}  // namespace quarn::sim
