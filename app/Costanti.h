#pragma once
// The shell's fixed values: file names, the settings header, the fatal text,
// timer intervals and the string table entries the main window shows.

#include <cstdint>
#include <string_view>

namespace quarn::app {

inline constexpr std::string_view kProgramName = "QuarnSoft";

inline constexpr std::string_view kSettingsFileName = "QuarnSoft.prm";
inline constexpr std::string_view kSettingsHeader = "File configurazione QuarnSoft";
inline constexpr std::string_view kStringTableFileName = "StringTable.txt";
inline constexpr std::string_view kStringTableMissingText =
    "Unable to find file \"StringTable.txt\", the application will be terminated";

// Language indexes.
inline constexpr std::int16_t kLanguageItalian = 0;
inline constexpr std::int16_t kLanguageEnglish = 1;

// Timers of the main window, in milliseconds.
inline constexpr int kReceiveIntervalMs = 50;
inline constexpr int kFirstStatusIntervalMs = 1500;
inline constexpr int kStatusIntervalMs = 500;
// Time the supervision waits before it may open the sensor window.
inline constexpr std::int16_t kOpenRadarDelayMs = 3000;

// Programmer status codes shown by the main window (as returned by OpenUsb).
inline constexpr std::int32_t kProgOpen = 1;
inline constexpr std::int32_t kProgDriverFailed = 2;
inline constexpr std::int32_t kProgNotFound = 3;
inline constexpr std::int32_t kProgMoreThanOne = 4;

// String table entries used by the main window.
namespace entry {
inline constexpr int kMnuExit = 11;
inline constexpr int kMnuLanguage = 12;
inline constexpr int kMnuLanguageIt = 13;
inline constexpr int kMnuLanguageEng = 14;
inline constexpr int kProgOpen = 20;
inline constexpr int kProgDriverFailed = 21;
inline constexpr int kProgNotFound = 22;
inline constexpr int kProgMoreThanOne = 23;
inline constexpr int kNoDevice = 30;
inline constexpr int kDeviceFound = 31;
inline constexpr int kOtherDevice = 32;
inline constexpr int kSensorModel = 33;
}  // namespace entry

}  // namespace quarn::app
