// The main window's life: start-up, the menus, the return from the sensor
// window and the shutdown.

#include "app/FormStart.h"

#include "app/Language.h"
#include "app/Settings.h"
#include "app/ShellConstants.h"

namespace quarn::app {

using texts::StringId;
using texts::textOf;

std::string VersionCaption(const AppVersion& version) {
    // No separator between minor version and revision: 1.0.0 reads "Ver 1.00".
    return "Ver " + std::to_string(version.major) + "." + std::to_string(version.minor) +
           std::to_string(version.revision);
}

FormStart::FormStart(const FormStartLinks& links)
    : Form("FormStart"),
      TimerMsgUsb(links.timers.createTimer()),
      TimerVrfyStatus(links.timers.createTimer()),
      links_(links) {
    createControls();
    connectEvents();
}

void FormStart::onLoad() {
    AppState& state = links_.state;
    LabelVer.setCaption(VersionCaption(links_.host.version()));
    state.language = LoadSettings(links_.host.applicationDirectory());
    if (!ApplyLanguage()) {
        return;  // the window has been closed and the application ends
    }
    TimerVrfyStatus->setInterval(kFirstStatusIntervalMs);
    TimerVrfyStatus->setEnabled(true);
    ClearDeviceIdentity();
    firstCheck_ = true;
    TimerMsgUsb->setInterval(kReceiveIntervalMs);
    TimerMsgUsb->setEnabled(true);
    state.endWithSensorWindow = false;
    ReturnToStart();
}

void FormStart::onUnload() {
    links_.usb.close();
    SaveSettings(links_.host.applicationDirectory(), links_.state.language);
    links_.monitor.unload();
    // The window's timers go with it.
    TimerMsgUsb->setEnabled(false);
    TimerVrfyStatus->setEnabled(false);
    ended_ = true;
    links_.host.quitApplication();
}

bool FormStart::ApplyLanguage() {
    AppState& state = links_.state;
    if (!LoadStringTable(links_.host.applicationDirectory(), state.language, state.texts)) {
        links_.host.showCriticalMessage(std::string(kProgramName),
                                        std::string(kStringTableMissingText));
        unload();
        return false;
    }
    MnuExit.setCaption(textOf(state.texts, StringId::ExitMenu));
    MnuLanguage.setCaption(textOf(state.texts, StringId::LanguageMenu));
    MnuLanguageIt.setCaption(textOf(state.texts, StringId::ItalianMenuItem));
    MnuLanguageEng.setCaption(textOf(state.texts, StringId::EnglishMenuItem));
    return true;
}

void FormStart::ReturnToStart() {
    if (ended_) {
        return;  // after the shutdown nothing brings the window back
    }
    AppState& state = links_.state;
    if (state.endWithSensorWindow) {
        unload();
        return;
    }
    show();
    LabelStatusProg.setCaption("");
    LabelStatusDevice.setCaption("");
    state.sensorWindowDelayMs = kOpenRadarDelayMs;
    state.activeWindow = link::ActiveWindow::Start;
}

void FormStart::MnuExit_Click() {
    unload();
}

void FormStart::MnuAbout_Click() {
    links_.about.showModal();
}

void FormStart::MnuLanguageIt_Click() {
    links_.state.language = kLanguageItalian;
    ApplyLanguage();
}

void FormStart::MnuLanguageEng_Click() {
    links_.state.language = kLanguageEnglish;
    ApplyLanguage();
}

}  // namespace quarn::app
