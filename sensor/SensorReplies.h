#pragma once
// The sensor's replies read into records, with the layout of each reply in
// this one place: the shortest frame that holds it, where its values sit and
// which values it can carry. A frame shorter than its layout would have its
// missing positions read from whatever an earlier frame left in the receive
// buffer, so it is not read at all.

#include <array>
#include <cstdint>
#include <optional>

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "sensor/ParameterTable.h"

namespace quarn::sensor {

// A parameter reply as the lists take it: for each parameter, the list index
// the sensor reported, or nothing when the reply cannot give one (a value
// outside the list's items, or a parameter that only some firmware carries
// while the sensor's firmware word is not known). A parameter the sensor's
// firmware does not carry reads as index 0.
//
// A value outside the list's items is kept as the sensor sent it, so that
// the window can say which parameter it could not take.
struct RefusedValue {
    Parameter parameter = Parameter::Sensitivity;
    std::uint8_t wireValue = 0;
};

class ParameterReply {
  public:
    const std::optional<std::int16_t>& operator[](Parameter parameter) const {
        return indices_[indexOf(parameter)];
    }
    void set(Parameter parameter, std::optional<std::int16_t> index) {
        indices_[indexOf(parameter)] = index;
    }
    // Every parameter has an index: the reply can be taken whole.
    bool whole() const;

    // The first parameter whose value lies outside its list's items.
    const std::optional<RefusedValue>& refused() const { return refused_; }
    void setRefused(const RefusedValue& value) {
        if (!refused_) {
            refused_ = value;
        }
    }

  private:
    std::array<std::optional<std::int16_t>, kParameterCount> indices_{};
    std::optional<RefusedValue> refused_;
};

// One live signal sample.
struct SignalSample {
    std::uint8_t mode = 0;   // only mode 2 carries the detection level
    std::int32_t level = 0;  // 0 to 65535
    bool alarm = false;      // the alarm output
};

// Frame length (markers and checksum included) needed by the command's
// layout; 0 for commands whose payload is not read. The parameter reply's
// length depends on the parameters the firmware carries.
std::int16_t minimumReplyLength(link::Command command, std::int32_t firmwareVersion);

// Both read a frame of at least minimumReplyLength bytes. The firmware word
// counts as known while the identity is the Zel sensor's; each identity
// cycle clears it until the sensor answers again.
ParameterReply readParameterReply(const link::FrameBytes& frame,
                                  const link::DeviceIdentity& identity);
SignalSample readSignalSample(const link::FrameBytes& frame);

}  // namespace quarn::sensor
