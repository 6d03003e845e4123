#pragma once
// The texts the windows show, loaded from the string table file in the
// chosen language. Each entry the program uses has one name here, saying what
// it shows; the number is the entry's number in the file.

#include <array>
#include <cstddef>
#include <string>

namespace quarn::texts {

// Entries 0 to 200 are kept; the file may hold others, which are ignored.
inline constexpr int kStringTableEntries = 201;
using StringTableEntries = std::array<std::string, kStringTableEntries>;

enum class StringId : std::size_t {
    On = 0,                          // a switch that is on (high-traffic mode list)
    Off = 1,                         // a switch that is off (high-traffic mode list)
    ExitMenu = 11,                   // the Exit menu of both windows
    LanguageMenu = 12,               // the Language menu
    ItalianMenuItem = 13,            // its Italian item
    EnglishMenuItem = 14,            // its English item
    ProgrammerConnected = 20,        // programmer status: open
    UsbDriverError = 21,             // programmer status: a driver call failed
    ProgrammerNotFound = 22,         // programmer status: no adapter
    MoreThanOneProgrammer = 23,      // programmer status: two or more adapters
    NoDeviceConnected = 30,          // device status, and a sensor that stopped answering
    DeviceConnected = 31,            // device status: a known device answers
    UnsupportedDevice = 32,          // device status: a device of another type answers
    SensorModelName = 33,            // the sensor's name: device status and window title
    MainsFilterOff = 50,             // mains noise filter list: no filter
    ReactionSlow = 51,               // reaction speed list
    ReactionNormal = 52,             //
    ReactionFast = 53,               //
    Height230 = 54,                  // installation height list: 2.30 m
    Height290 = 55,                  // 2.90 m
    Height350 = 56,                  // 3.50 m
    SensitivityCaption = 57,         // captions of the sensor window's parameters
    RelayOnTimeCaption = 58,         //
    ReactionSpeedCaption = 59,       //
    MainsFilterCaption = 60,         //
    HighTrafficCaption = 61,         //
    InstallationHeightCaption = 62,  //
    SignalCaption = 63,              // heading of the live signal column
    ParametersCaption = 64,          // heading of the parameter frame
    ToolsMenu = 100,                 // the sensor window's Tools menu
    SignalHistoryMenuItem = 101,     // its items, one for each tool window
    WalkTestMenuItem = 102,          //
    SaveParametersMenuItem = 103,    //
    LoadParametersMenuItem = 104,    //
    ChangeLogMenuItem = 105,         //
    ServiceReportMenuItem = 106,     //
    WalkTestCaption = 125,           // the walk test window's title
    WalkTestLevelCaption = 126,      // heading of its level figure
    WalkTestPeakCaption = 127,       // heading of its held peak figure
    WalkTestAlarm = 128,             // its alarm field while the alarm is on
    WalkTestNoAlarm = 129,           // while the alarm is off
    WalkTestNoSignal = 130,          // while no signal comes (sensor window closed)
    FullScreenButton = 131,          // its button that fills the screen
    LeaveFullScreenButton = 132,     // the same button while the screen is filled
    ToneAtAlarmCheck = 133,          // its check box for a tone at each alarm start
};

inline const std::string& textOf(const StringTableEntries& table, StringId id) {
    return table[static_cast<std::size_t>(id)];
}

}  // namespace quarn::texts
