#pragma once
// What a simulated device behind the programmer is: its identity words and,
// for the Zel sensor, its six stored parameters and how it treats bad input.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace quarn::sim {

inline constexpr std::uint16_t kZelDeviceType = 0x0101;
// From this firmware word on the sensor has the installation-height parameter.
inline constexpr std::uint16_t kFirmwareWithHeight = 0x0200;

// The six parameters in wire encoding, in payload order.
struct ZelParameters {
    std::uint8_t sensitivity = 5;    // 1..9
    std::uint8_t relayOnTime = 2;    // 1..9, half seconds
    std::uint8_t reactionSpeed = 1;  // 0..2
    std::uint8_t mainsFilter = 1;    // 0..2
    std::uint8_t highTraffic = 0;    // 0..1
    std::uint8_t height = 1;         // 0..2, only with kFirmwareWithHeight

    bool operator==(const ZelParameters&) const = default;
};

// What the sensor does with a written value outside its range.
enum class OutOfRangeWrite {
    Clamp,   // store the nearest valid value
    Refuse,  // keep the value it had
    Store,   // store it as it came (a faulty sensor)
};

struct DeviceConfig {
    // 0x0101 builds a Zel sensor; any other type a device that answers only
    // the identity request.
    std::uint16_t type = kZelDeviceType;
    // Sent as ten bytes: a shorter text is padded with spaces, a longer one
    // cut. Embedded NULs are kept.
    std::string serial = "A123456789";
    std::uint16_t hardware = 0x0102;
    std::uint16_t firmware = 0x0200;

    // Zel sensor only.
    ZelParameters parameters{};
    OutOfRangeWrite outOfRangeWrite = OutOfRangeWrite::Clamp;
    // When set, every parameter reply carries these six bytes instead of the
    // stored values (out-of-range replies); a 5-value reply takes the first five.
    std::optional<std::array<std::uint8_t, 6>> forcedReplyValues;
    // Off: a faulty sensor that ignores every parameter write, neither
    // storing nor acknowledging it.
    bool acknowledgesWrites = true;
    // Motion events at random times while streaming; off leaves the noise
    // floor only (triggerMotion still works).
    bool randomMotion = true;
    // Seed of the sensor's own signal generator.
    std::uint32_t seed = 1;
};

}  // namespace quarn::sim
