#pragma once
// Where the shell's two files are found. A portable folder (the executable
// with StringTable.txt beside it) keeps both files beside the executable,
// as it always has; an installation reads the string table from its data
// folder and keeps the settings in the user's configuration folder when the
// executable's folder takes no files.

#include <optional>
#include <string>
#include <vector>

#include "app/Language.h"
#include "platform/HostServices.h"

namespace quarn::app {

// The folders the host names (UTF-8); an empty one is a place the host does
// not have.
struct FileFolders {
    std::string executable;
    std::string installedData;
    std::string userConfig;
};

FileFolders fileFoldersOf(const HostServices& host);

// The folders StringTable.txt is looked for in, in order: the executable's,
// then the installed data folder. An empty or repeated one is left out.
std::vector<std::string> stringTableFolders(const FileFolders& folders);

// The first of those folders that holds something named StringTable.txt.
// Whatever it is counts: a damaged table beside the executable is reported
// rather than passed over for another. Nothing when no folder holds one.
std::optional<std::string> stringTableFolder(const FileFolders& folders);

// The fatal text when the table is found nowhere or cannot be read: the
// program's message, then each place looked in on a line of its own.
std::string stringTableMissingMessage(const FileFolders& folders);

struct SettingsPlaces {
    std::string readFolder;
    std::optional<std::string> writeFolder;  // nothing: the choice is not kept
};

// Where QuarnSoft.prm is read and written:
// - the executable's folder takes files and is no installation's bin
//   folder (one whose table is only in the data folder, and that holds no
//   QuarnSoft.prm): both there, as always; the configuration folder is not
//   looked at;
// - otherwise (a read-only folder, or an installation's bin folder, which
//   root could write to but which is no place for a user's file): written to the user's
//   configuration folder, which the save creates. Read from there when a copy is there, since it
//   holds the technician's last choice; otherwise from beside the executable, where a read-only
//   installation may have put one (it stays as it is). Without a configuration folder nothing is
//   written.
SettingsPlaces settingsPlaces(const FileFolders& folders, bool executableWritable);

// The places as the host gives them.
SettingsPlaces settingsPlacesOf(const HostServices& host);

// loadSettings / saveSettings at those places; the save creates the write
// folder when it is missing. A failure leaves everything as it was.
Language loadSettingsAt(const SettingsPlaces& places);
void saveSettingsAt(const SettingsPlaces& places, Language language);

}  // namespace quarn::app
