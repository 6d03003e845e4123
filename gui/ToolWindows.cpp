#include "gui/ToolWindows.h"

#include <QMessageBox>

#include "gui/ParameterFileDialogs.h"
#include "platform/qt/QtConversions.h"

namespace quarn::gui {

ToolWindows::ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow)
    : app_(app), sensorWindow_(sensorWindow) {}

ToolWindows::~ToolWindows() = default;

void ToolWindows::open(sensorwin::SensorTool tool, QWidget* owner) {
    switch (tool) {
        case sensorwin::SensorTool::SignalHistory:
            openSignalHistory(owner);
            break;
        case sensorwin::SensorTool::WalkTest:
            openWalkTest(owner);
            break;
        case sensorwin::SensorTool::SaveParameters:
            saveParameters(owner);
            break;
        case sensorwin::SensorTool::LoadParameters:
            loadParameters(owner);
            break;
        case sensorwin::SensorTool::ChangeLog:
            openChangeLog(owner);
            break;
        case sensorwin::SensorTool::ServiceReport:
            writeServiceReport(owner);
            break;
    }
}

// --- Signal history ----------------------------------------------------------

void ToolWindows::openSignalHistory(QWidget* /*owner*/) {}

// --- Walk test ----------------------------------------------------------------

void ToolWindows::openWalkTest(QWidget* /*owner*/) {}

// --- Parameter backup and restore --------------------------------------------

// The sensor's reported values, to a file the technician names. Refused
// before any dialog while the sensor has not reported them.
void ToolWindows::saveParameters(QWidget* owner) {
    const texts::StringTableEntries& text = app_.state().texts;
    const QString title = qt::toQString(texts::textOf(text, texts::StringId::SaveParametersTitle));
    if (const auto refusal = parameterBackup_.refusal()) {
        QMessageBox::information(owner, title, qt::toQString(*refusal));
        return;
    }
    const auto path = askParameterFileToSave(
        owner, title, qt::toQString(texts::textOf(text, texts::StringId::ParameterFileFilter)));
    if (!path) {
        return;
    }
    const workbench::SaveOutcome outcome = parameterBackup_.save(*path);
    if (outcome.saved) {
        QMessageBox::information(owner, title, qt::toQString(outcome.message));
    } else {
        QMessageBox::critical(owner, title, qt::toQString(outcome.message));
    }
}

// A file set beside the sensor in the restore window; a file that cannot be
// used is described in a message and opens nothing.
void ToolWindows::loadParameters(QWidget* owner) {
    const texts::StringTableEntries& text = app_.state().texts;
    const QString title = qt::toQString(texts::textOf(text, texts::StringId::LoadParametersTitle));
    if (const auto refusal = restoreWindow_.openRefusal()) {
        QMessageBox::information(owner, title, qt::toQString(*refusal));
        return;
    }
    const auto path = askParameterFileToLoad(
        owner, title, qt::toQString(texts::textOf(text, texts::StringId::ParameterFileFilter)));
    if (!path) {
        return;
    }
    if (const auto problem = restoreWindow_.open(*path)) {
        QMessageBox::critical(owner, title, qt::toQString(*problem));
        return;
    }
    if (QWidget* window = restoreWindowView_.widget()) {
        window->raise();
        window->activateWindow();
    }
}

// --- Change log and service report --------------------------------------------

void ToolWindows::openChangeLog(QWidget* /*owner*/) {}

void ToolWindows::writeServiceReport(QWidget* /*owner*/) {}

}  // namespace quarn::gui
