#pragma once
// One simulated USB programmer adapter on the bus: its description, whether
// it is plugged in, the driver's receive queue, and the programmer with the
// device behind it. Test knobs for timing and line faults live here, and so
// does what the programmer has received, for tests to look at.
//
// Time is lazy: every call first brings the adapter up to the clock's time,
// producing whatever fell due since the last call (stream samples, flood
// noise). Nothing runs between calls.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "platform/Timers.h"
#include "sim/Device.h"
#include "sim/DeviceConfig.h"
#include "sim/ReceivedFrame.h"
#include "sim/SimFrameCodec.h"
#include "sim/TimedByteQueue.h"

namespace quarn::sim {

class ZelSensor;

class Adapter final : private ReplySink {
  public:
    static constexpr int kDefaultReplyDelayMs = 20;
    // Bytes the driver's queue holds at most, delivered or still on the way.
    static constexpr std::size_t kQueueCapacity = 65536;
    // Frames kept in receivedFrames(); older ones fall away.
    static constexpr std::size_t kFrameLogLimit = 100000;

    Adapter(const Clock& clock, std::string description, std::string serialNumber,
            std::uint32_t seed);
    ~Adapter() override;
    Adapter(const Adapter&) = delete;
    Adapter& operator=(const Adapter&) = delete;

    const std::string& description() const { return description_; }
    const std::string& serialNumber() const { return serialNumber_; }
    bool plugged() const { return plugged_; }

    // The device behind the programmer. attachDevice replaces any device
    // (a new type is how a test changes the device type). detachDevice keeps
    // the device, powered down, for reattachDevice, which returns false when
    // there is none to put back. Replies a device sent before it was detached
    // or replaced are already on their way and still arrive.
    void attachDevice(DeviceConfig config);
    void detachDevice();
    bool reattachDevice();
    bool hasDevice() const { return device_ != nullptr; }
    Device* device() { return device_.get(); }
    // The attached device when it is a Zel sensor, else null.
    ZelSensor* zelSensor();

    // Time from a request's arrival (or a sample's creation) to its reply
    // reaching the driver. Negative values count as 0.
    void setReplyDelayMs(int ms);
    int replyDelayMs() const { return replyDelayMs_; }

    // Line faults. Rates are probabilities 0..1 per reply, drawn from the
    // adapter's own generator, so a seed gives the same faults every run.
    void setSeed(std::uint32_t seed);
    void setDropReplyRate(double rate);
    // The checksum of the reply is wrong (still escaped correctly).
    void setCorruptChecksumRate(double rate);
    // The reply loses some payload bytes from its end but carries a checksum
    // that matches what is left. Replies without payload are not cut.
    void setShortReplyRate(double rate);
    // Bytes that reach the driver at once, as they are.
    void injectNoise(std::span<const std::uint8_t> bytes);
    // Random bytes reaching the driver at this steady rate; 0 stops it.
    void setNoiseFlood(int bytesPerSecond);

    // Observation.
    const std::deque<ReceivedFrame>& receivedFrames() const { return received_; }
    // Frames of that command with a good checksum, since the last clear.
    std::size_t framesReceived(std::uint8_t command) const { return receivedCounts_[command]; }
    // Frames with a bad checksum, since the last clear.
    std::size_t badFramesReceived() const { return badFrames_; }
    // Replies of that command put on the line (dropped ones not counted).
    std::size_t repliesSent(std::uint8_t command) const { return sentCounts_[command]; }
    void clearObservations();
    // Bytes in the driver's queue now.
    std::size_t bytesWaiting();

  private:
    friend class SimulatedBus;

    // Driver side, used by the bus.
    void plugIn();
    void pullOut();
    std::uint64_t plugGeneration() const { return plugGeneration_; }
    void catchUp();
    void acceptWire(std::span<const std::uint8_t> bytes);
    std::size_t readBytes(std::span<std::uint8_t> out);
    void purgeReceive();

    // ReplySink
    void send(std::int64_t atMs, std::uint8_t command, std::vector<std::uint8_t> payload) override;
    bool saturated() const override { return queue_.full(); }

    void handleFrame(ReceivedFrame frame);
    void replyIdentity(std::int64_t atMs);
    void runNoiseFlood(std::int64_t nowMs);
    bool draw(double rate);

    const Clock& clock_;
    std::string description_;
    std::string serialNumber_;
    bool plugged_ = true;
    std::uint64_t plugGeneration_ = 0;

    std::unique_ptr<Device> device_;
    std::unique_ptr<Device> detached_;

    TimedByteQueue queue_{kQueueCapacity};
    FrameDecoder decoder_;

    int replyDelayMs_ = kDefaultReplyDelayMs;
    std::mt19937 rng_;
    double dropRate_ = 0.0;
    double corruptRate_ = 0.0;
    double shortRate_ = 0.0;
    int floodBytesPerSecond_ = 0;
    std::int64_t floodStartMs_ = 0;
    std::int64_t floodBytesDone_ = 0;

    std::deque<ReceivedFrame> received_;
    std::array<std::size_t, 256> receivedCounts_{};
    std::array<std::size_t, 256> sentCounts_{};
    std::size_t badFrames_ = 0;
};

}  // namespace quarn::sim
