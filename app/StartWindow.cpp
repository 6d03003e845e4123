// The start window's life: start-up, the menus, the return from the sensor
// window and the shutdown.

#include "app/StartWindow.h"

#include "app/FilePlaces.h"
#include "app/ShellConstants.h"
#include "app/StringTableFile.h"

namespace quarn::app {

using texts::StringId;
using texts::textOf;

std::string versionLabelText(const AppVersion& version) {
    // No separator between minor version and revision: 1.0.0 reads "Ver 1.00".
    return "Ver " + std::to_string(version.major) + "." + std::to_string(version.minor) +
           std::to_string(version.revision);
}

StartWindow::StartWindow(const StartWindowContext& context)
    : Form("StartWindow"),
      receiveTimer(context.timers.createTimer()),
      supervisionTimer(context.timers.createTimer()),
      context_(context) {
    createControls();
    connectEvents();
}

void StartWindow::onLoad() {
    ApplicationState& state = context_.state;
    versionLabel.setCaption(versionLabelText(context_.host.version()));
    state.language = loadSettingsAt(settingsPlacesOf(context_.host));
    if (!applyLanguage()) {
        return;  // the window has been closed and the application ends
    }
    supervisionTimer->setInterval(kFirstSupervisionIntervalMs);
    supervisionTimer->setEnabled(true);
    clearDeviceIdentity();
    awaitingFirstTick_ = true;
    receiveTimer->setInterval(kReceiveIntervalMs);
    receiveTimer->setEnabled(true);
    state.endWithSensorWindow = false;
    returnToStart();
}

void StartWindow::onUnload() {
    context_.usb.close();
    saveSettingsAt(settingsPlacesOf(context_.host), context_.state.language);
    context_.monitor.unload();
    // The window's timers go with it.
    receiveTimer->setEnabled(false);
    supervisionTimer->setEnabled(false);
    ended_ = true;
    context_.host.quitApplication();
}

bool StartWindow::applyLanguage() {
    ApplicationState& state = context_.state;
    // Looked for again at each switch, as the file was read again before.
    const FileFolders folders = fileFoldersOf(context_.host);
    const std::optional<std::string> tableFolder = stringTableFolder(folders);
    if (!tableFolder || !loadStringTable(*tableFolder, state.language, state.texts)) {
        context_.host.showCriticalMessage(std::string(kProgramName),
                                          stringTableMissingMessage(folders));
        unload();
        return false;
    }
    exitMenu.setCaption(textOf(state.texts, StringId::ExitMenu));
    languageMenu.setCaption(textOf(state.texts, StringId::LanguageMenu));
    italianMenuItem.setCaption(textOf(state.texts, StringId::ItalianMenuItem));
    englishMenuItem.setCaption(textOf(state.texts, StringId::EnglishMenuItem));
    return true;
}

void StartWindow::returnToStart() {
    if (ended_) {
        return;  // after the shutdown nothing brings the window back
    }
    ApplicationState& state = context_.state;
    if (state.endWithSensorWindow) {
        unload();
        return;
    }
    show();
    programmerStatus.setCaption("");
    deviceStatus.setCaption("");
    state.sensorWindowDelayMs = kSensorWindowDelayMs;
    state.activeWindow = link::ActiveWindow::Start;
}

void StartWindow::onExit() {
    unload();
}

void StartWindow::onAbout() {
    context_.about.showModal();
}

void StartWindow::onItalianChosen() {
    context_.state.language = Language::Italian;
    applyLanguage();
}

void StartWindow::onEnglishChosen() {
    context_.state.language = Language::English;
    applyLanguage();
}

}  // namespace quarn::app
