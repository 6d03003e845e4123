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
    SignalHistoryTitle = 110,        // signal history window: title
    HistoryPauseButton = 111,        // its Pause and Resume button
    HistoryResumeButton = 112,       //
    HistoryExportButton = 113,       // its Export CSV button
    HistoryTimeAxis = 114,           // the chart's time axis, in seconds
    HistoryLevelAxis = 115,          // the chart's level axis
    HistoryPeakMarker = 116,         // the held peak's mark on the chart
    HistoryExportDone = 117,         // status: %1 samples exported to %2 (path)
    HistoryExportNotWritten = 118,   // status: %1 (path) not written, %2 the reason
    HistoryExportNotReplaced = 119,  // status: %1 (path) not replaced, %2 the reason
    HistoryExportDialogTitle = 120,  // the export file dialog's title
    HistoryCsvFilter = 121,          // its file type filter
    HistoryPaused = 122,             // status while the chart is paused
    HistoryRunning = 123,            // status while the chart follows the signal
    WalkTestCaption = 125,           // the walk test window's title
    WalkTestLevelCaption = 126,      // heading of its level figure
    WalkTestPeakCaption = 127,       // heading of its held peak figure
    WalkTestAlarm = 128,             // its alarm field while the alarm is on
    WalkTestNoAlarm = 129,           // while the alarm is off
    WalkTestNoSignal = 130,          // while no signal comes (sensor window closed)
    FullScreenButton = 131,          // its button that fills the screen
    LeaveFullScreenButton = 132,     // the same button while the screen is filled
    ToneAtAlarmCheck = 133,          // its check box for a tone at each alarm start
    SaveParametersTitle = 135,       // parameter backup: the save dialog and its messages
    LoadParametersTitle = 136,       // parameter restore: its window, dialog and messages
    ParameterFileFilter = 137,       // the file dialogs' filter: parameter files (*.json)
    SaveRefusedNoReply = 138,        // save refused: the sensor has not reported yet
    SaveRefusedBadReply = 139,       // save refused: the last reply held a refused value
    ParametersSavedTo = 140,         // %1 serial, %2 file
    ParameterFileNotWritten = 141,   // %1 file
    ParameterFileRefused = 142,      // %1 file, %2 the first bad field and why
    RestoreFileLine = 143,           // %1 file name
    RestoreSerialDiffers = 144,      // %1 the file's serial, %2 the sensor's
    RestoreParameterColumn = 145,    // column headings of the comparison
    RestoreSensorColumn = 146,       //
    RestoreFileColumn = 147,         //
    RestoreDiffers = 148,            // a row whose file value differs from the sensor's
    RestoreNotApplicable = 149,      // a parameter the sensor does not carry
    RestoreNotInFile = 150,          // a parameter the file leaves out
    RestoreApplyButton = 151,        //
    RestoreCloseButton = 152,        //
    RestoreApplying = 153,           // outcome line while the write is under way
    RestoreVerified = 154,           //
    RestoreReportedOtherwise = 155,  // %1 the differences, each a RestoreDifference
    RestoreDifference = 156,         // %1 caption, %2 written, %3 reported
    RestoreNotAcknowledged = 157,    // %1 seconds
    RestoreSensorLost = 158,         //
    RestoreSensorSwapped = 159,      // %1 the serial answering now, %2 the one written to
    RestoreComparisonStale = 160,    // the sensor window closed or another sensor came
    RestoreNothingToApply = 161,     // the sensor holds the file's values already
    RestoreSensorNotRead = 162,      // the sensor has not reported its values yet
    RestoreBusy = 163,               // another load while an apply is under way
    RestoreStateColumn = 164,        // heading of the column that marks each row
    ChangeLogTitle = 165,            // the change log window and its section of the report
    CloseButton = 166,               // closes the change log window
    ChangeLogEmpty = 167,            // the change log before any event
    ChangeAcknowledged = 168,        // a change the sensor acknowledged
    ChangeNotAcknowledged = 169,     // a change the sensor never acknowledged
    ReadBackVerified = 170,          // the read after the change reported the value written
    ReadBackDiffers = 171,           // the read reported another value (%1)
    ReadBackAwaited = 172,           // no read since the change yet
    RefusedValueLine = 173,          // a reply value outside the list (%1)
    RefusedValueToolTip = 174,       // tooltip of that list (%1)
    ServiceReportTitle = 175,        // the report: dialog title and heading
    TechnicianLabel = 176,           // who did the service
    SiteLabel = 177,                 // where the sensor is installed
    NoteLabel = 178,                 // the technician's free note
    OkButton = 179,                  // confirms the report dialog
    CancelButton = 180,              // leaves the report dialog
    ReportFileDialogTitle = 181,     // where the report goes
    ReportFileFilter = 182,          // the report file type
    ReportNoSensor = 183,            // report refused: nothing read yet
    ReportWriteFailed = 184,         // report not written (%1: the file)
    ReportDateLabel = 185,           // when the report was written
    ToolVersionLabel = 186,          // this program's version
    ServiceSection = 187,            // heading: the visit
    SensorSection = 188,             // heading: the sensor
    SerialLabel = 189,               //
    HardwareLabel = 190,             //
    FirmwareLabel = 191,             //
    ParameterColumn = 192,           // column of the parameter table
    FirstReadColumn = 193,           // the values first read in the session
    NowColumn = 194,                 // the values read last
    DetectionAreaSection = 195,      // heading: the detection-area picture
    SignalChartSection = 196,        // heading: the signal chart
    NotCarried = 197,                // a parameter this sensor does not have
    ReportPageNumber = 198,          // page footer (%1 page, %2 pages)
    ReportWritten = 199,             // the report was written; %1 is the file
};

inline const std::string& textOf(const StringTableEntries& table, StringId id) {
    return table[static_cast<std::size_t>(id)];
}

}  // namespace quarn::texts
