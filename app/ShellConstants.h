#pragma once
// The shell's fixed values: file names, the settings header, the fatal text,
// timer intervals and the time before the sensor window may open.

#include <cstdint>
#include <string_view>

namespace quarn::app {

inline constexpr std::string_view kProgramName = "QuarnSoft";

inline constexpr std::string_view kSettingsFileName = "QuarnSoft.prm";
inline constexpr std::string_view kSettingsHeader = "File configurazione QuarnSoft";
inline constexpr std::string_view kStringTableFileName = "StringTable.txt";
inline constexpr std::string_view kStringTableMissingText =
    "Unable to find file \"StringTable.txt\", the application will be terminated";
// Below the fatal text, before the folders the table was looked for in.
inline constexpr std::string_view kStringTablePlacesHeading = "Places looked in:";

// Timers of the start window, in milliseconds.
inline constexpr int kReceiveIntervalMs = 50;
inline constexpr int kFirstSupervisionIntervalMs = 1500;
inline constexpr int kSupervisionIntervalMs = 500;
// Time the supervision waits before it may open the sensor window.
inline constexpr std::int16_t kSensorWindowDelayMs = 3000;

}  // namespace quarn::app
