#include "app/FilePlaces.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/ApplicationFiles.h"
#include "app/Settings.h"
#include "app/ShellConstants.h"

namespace quarn::app {

namespace fs = std::filesystem;

namespace {

// Something of that name is in folder: a file, a folder or a link that
// leads somewhere. A broken link is nothing.
bool holds(const std::string& folder, std::string_view fileName) {
    std::error_code error;
    return fs::exists(applicationFilePath(folder, fileName), error);
}

}  // namespace

FileFolders fileFoldersOf(const HostServices& host) {
    return FileFolders{host.applicationDirectory(), host.installedDataDirectory(),
                       host.userConfigDirectory()};
}

std::vector<std::string> stringTableFolders(const FileFolders& folders) {
    std::vector<std::string> places;
    for (const std::string& folder : {folders.executable, folders.installedData}) {
        if (!folder.empty() && std::find(places.begin(), places.end(), folder) == places.end()) {
            places.push_back(folder);
        }
    }
    return places;
}

std::optional<std::string> stringTableFolder(const FileFolders& folders) {
    for (const std::string& folder : stringTableFolders(folders)) {
        if (holds(folder, kStringTableFileName)) {
            return folder;
        }
    }
    return std::nullopt;
}

std::string stringTableMissingMessage(const FileFolders& folders) {
    std::string text(kStringTableMissingText);
    text += "\n\n";
    text += kStringTablePlacesHeading;
    for (const std::string& folder : stringTableFolders(folders)) {
        text += '\n';
        text += folder;
    }
    return text;
}

SettingsPlaces settingsPlaces(const FileFolders& folders, bool executableWritable) {
    // An installation's bin folder (the table only in the data folder) is
    // no place for a user's file even when it takes files (run by root);
    // any other folder is a portable one, as it always was.
    const bool installed = !holds(folders.executable, kStringTableFileName) &&
                           !folders.installedData.empty() &&
                           holds(folders.installedData, kStringTableFileName);
    const bool portable = !installed || holds(folders.executable, kSettingsFileName);
    if (executableWritable && portable) {
        return SettingsPlaces{folders.executable, folders.executable};
    }
    if (folders.userConfig.empty()) {
        return SettingsPlaces{folders.executable, std::nullopt};
    }
    const bool configCopy = holds(folders.userConfig, kSettingsFileName);
    return SettingsPlaces{configCopy ? folders.userConfig : folders.executable, folders.userConfig};
}

SettingsPlaces settingsPlacesOf(const HostServices& host) {
    return settingsPlaces(fileFoldersOf(host), host.directoryWritable(host.applicationDirectory()));
}

Language loadSettingsAt(const SettingsPlaces& places) {
    return loadSettings(places.readFolder);
}

void saveSettingsAt(const SettingsPlaces& places, Language language) {
    if (!places.writeFolder) {
        return;
    }
    // A folder that cannot be made makes the save below fail, which leaves
    // everything as it was.
    std::error_code error;
    fs::create_directories(applicationFilePath(*places.writeFolder, ""), error);
    saveSettings(*places.writeFolder, language);
}

}  // namespace quarn::app
