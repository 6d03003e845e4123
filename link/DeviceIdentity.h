#pragma once
// Identity of the device behind the programmer, from the identity reply.

#include <cstdint>
#include <string>

namespace quarn::link {

inline constexpr std::int32_t kZelDeviceType = 0x0101;
inline constexpr std::int32_t kHeightFirmware = 0x0200;

struct DeviceIdentity {
    std::int32_t DeviceType = 0;  // 0: none; 0x0101: the Zel sensor
    std::string DeviceSerial;     // ten characters, UTF-8 (one per received byte)
    std::int32_t HwVersion = 0;   // 0..65535
    std::int32_t FwVersion = 0;   // 0..65535; from 0x0200 the sensor has the height

    void clear() {
        DeviceType = 0;
        DeviceSerial.clear();
        HwVersion = 0;
        FwVersion = 0;
    }
};

}  // namespace quarn::link
