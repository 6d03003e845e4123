// The main window's life: start-up, the menus, the return from the sensor
// window and the shutdown.

#include "app/StartWindow.h"

#include "app/Language.h"
#include "app/Settings.h"
#include "app/ShellConstants.h"

namespace quarn::app {

using texts::StringId;
using texts::textOf;

std::string versionCaption(const AppVersion& version) {
    // No separator between minor version and revision: 1.0.0 reads "Ver 1.00".
    return "Ver " + std::to_string(version.major) + "." + std::to_string(version.minor) +
           std::to_string(version.revision);
}

StartWindow::StartWindow(const StartWindowLinks& links)
    : Form("StartWindow"),
      receiveTimer(links.timers.createTimer()),
      supervisionTimer(links.timers.createTimer()),
      links_(links) {
    createControls();
    connectEvents();
}

void StartWindow::onLoad() {
    AppState& state = links_.state;
    versionLabel.setCaption(versionCaption(links_.host.version()));
    state.language = loadSettings(links_.host.applicationDirectory());
    if (!applyLanguage()) {
        return;  // the window has been closed and the application ends
    }
    supervisionTimer->setInterval(kFirstStatusIntervalMs);
    supervisionTimer->setEnabled(true);
    clearDeviceIdentity();
    firstCheck_ = true;
    receiveTimer->setInterval(kReceiveIntervalMs);
    receiveTimer->setEnabled(true);
    state.endWithSensorWindow = false;
    returnToStart();
}

void StartWindow::onUnload() {
    links_.usb.close();
    saveSettings(links_.host.applicationDirectory(), links_.state.language);
    links_.monitor.unload();
    // The window's timers go with it.
    receiveTimer->setEnabled(false);
    supervisionTimer->setEnabled(false);
    ended_ = true;
    links_.host.quitApplication();
}

bool StartWindow::applyLanguage() {
    AppState& state = links_.state;
    if (!loadStringTable(links_.host.applicationDirectory(), state.language, state.texts)) {
        links_.host.showCriticalMessage(std::string(kProgramName),
                                        std::string(kStringTableMissingText));
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
    AppState& state = links_.state;
    if (state.endWithSensorWindow) {
        unload();
        return;
    }
    show();
    programmerStatus.setCaption("");
    deviceStatus.setCaption("");
    state.sensorWindowDelayMs = kOpenRadarDelayMs;
    state.activeWindow = link::ActiveWindow::Start;
}

void StartWindow::onExit() {
    unload();
}

void StartWindow::onAbout() {
    links_.about.showModal();
}

void StartWindow::onItalianChosen() {
    links_.state.language = kLanguageItalian;
    applyLanguage();
}

void StartWindow::onEnglishChosen() {
    links_.state.language = kLanguageEnglish;
    applyLanguage();
}

}  // namespace quarn::app
