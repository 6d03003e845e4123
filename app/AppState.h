#pragma once
// The application-wide state shared by the shell, the link and the sensor
// conversation. One instance per application object; no globals.

#include <array>
#include <cstdint>
#include <string>

#include "link/DeviceIdentity.h"

namespace quarn::app {

inline constexpr int kStringTableEntries = 201;  // entries 0 to 200
using StringTableEntries = std::array<std::string, kStringTableEntries>;

struct AppState {
    std::int16_t SelDevice = 0;       // 0 programmer level, 1 sensor window
    std::int16_t DelayOpenRadar = 0;  // ms still to wait before the sensor window may open
    bool FlagExitProgram = false;     // closing the sensor window ends the application
    std::int16_t SelLanguage = 0;     // 0 Italian, 1 English (others reach further lines)
    StringTableEntries StringTable;   // UTF-8 texts
    link::DeviceIdentity Identity;
};

}  // namespace quarn::app
