#pragma once
// The simulated Zel radar sensor: six parameters, read (command 2 -> 3) and
// written (command 4 -> 5), and a live signal stream started and stopped by
// command 20 (acknowledged by 21) that sends one sample (command 23) every
// 50 ms while on.

#include <array>
#include <cstdint>
#include <optional>

#include "sim/Device.h"
#include "sim/SignalModel.h"

namespace quarn::sim {

class ZelSensor final : public Device {
  public:
    explicit ZelSensor(DeviceConfig config);

    const ZelParameters& parameters() const { return parameters_; }
    void setParameters(const ZelParameters& parameters) { parameters_ = parameters; }
    bool hasHeight() const { return config().firmware >= kFirmwareWithHeight; }
    bool streaming() const { return streaming_; }

    void setOutOfRangeWrite(OutOfRangeWrite policy) { mutableConfig().outOfRangeWrite = policy; }
    void setForcedReplyValues(std::optional<std::array<std::uint8_t, 6>> values) {
        mutableConfig().forcedReplyValues = values;
    }
    void triggerMotion(std::uint16_t peakLevel, int durationMs) {
        signal_.triggerMotion(peakLevel, durationMs);
    }

    void advanceTo(std::int64_t nowMs, ReplySink& sink) override;
    void handleFrame(const ReceivedFrame& frame, ReplySink& sink) override;
    void powerDown() override;

  private:
    void replyParameters(std::int64_t atMs, ReplySink& sink) const;
    void storeParameters(const ReceivedFrame& frame, ReplySink& sink);
    void setStreaming(const ReceivedFrame& frame, ReplySink& sink);

    ZelParameters parameters_;
    SignalModel signal_;
    bool streaming_ = false;
    std::int64_t nextSampleMs_ = 0;
};

}  // namespace quarn::sim
