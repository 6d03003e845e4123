#pragma once
// Identity of the device behind the programmer, from the identity reply.

#include <cstdint>
#include <string>

namespace quarn::link {

inline constexpr std::int32_t kZelDeviceType = 0x0101;
inline constexpr std::int32_t kHeightFirmware = 0x0200;

struct DeviceIdentity {
    std::int32_t type = 0;             // 0: none; 0x0101: the Zel sensor
    std::string serial;                // ten characters, UTF-8 (one per received byte)
    std::int32_t hardwareVersion = 0;  // 0..65535
    std::int32_t firmwareVersion = 0;  // 0..65535; from 0x0200 the sensor has the height

    void clear() {
        type = 0;
        serial.clear();
        hardwareVersion = 0;
        firmwareVersion = 0;
    }
};

}  // namespace quarn::link
