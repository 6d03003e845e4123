#pragma once
// A device behind the simulated programmer. The programmer answers the
// identity request from the device's identity words itself and hands every
// other frame to the device; the device answers through a ReplySink, which
// adds the programmer's delay and the line's faults.

#include <cstdint>
#include <vector>

#include "sim/DeviceConfig.h"
#include "sim/ReceivedFrame.h"

namespace quarn::sim {

class ReplySink {
  public:
    virtual ~ReplySink() = default;
    // A reply leaving the device at atMs.
    virtual void send(std::int64_t atMs, std::uint8_t command,
                      std::vector<std::uint8_t> payload) = 0;
    // True while the driver's queue is full: whatever is sent now is lost,
    // so a device may skip producing it.
    virtual bool saturated() const = 0;
};

class Device {
  public:
    explicit Device(DeviceConfig config) : config_(std::move(config)) {}
    virtual ~Device() = default;
    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    const DeviceConfig& config() const { return config_; }

    // Produces whatever the device sends on its own up to nowMs.
    virtual void advanceTo(std::int64_t nowMs, ReplySink& sink) = 0;
    // A frame from the PC (good checksum, never the identity request).
    virtual void handleFrame(const ReceivedFrame& frame, ReplySink& sink) = 0;
    // Power lost (adapter unplugged or device detached): stop any activity.
    virtual void powerDown() = 0;

  protected:
    DeviceConfig& mutableConfig() { return config_; }

  private:
    DeviceConfig config_;
};

// A device of another type: it has an identity and ignores every request.
class ForeignDevice final : public Device {
  public:
    using Device::Device;
    void advanceTo(std::int64_t, ReplySink&) override {}
    void handleFrame(const ReceivedFrame&, ReplySink&) override {}
    void powerDown() override {}
};

}  // namespace quarn::sim
