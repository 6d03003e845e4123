#include "gui/ToolWindows.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

#include "gui/ParameterFileDialogs.h"
#include "gui/ServiceReportDialog.h"
#include "gui/SignalChartPainter.h"
#include "platform/qt/QtConversions.h"
#include "workbench/ChangeLogLines.h"
#include "workbench/ServiceReportContent.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::gui {

ToolWindows::ToolWindows(app::Application& app, sensorwin::SensorWindow& sensorWindow)
    : app_(app),
      sensorWindow_(sensorWindow),
      changeLog_(sensorWindow, app.state(), app.host()),
      changeLogWindow_(changeLog_, app.state(), app.host()),
      changeLogView_(std::make_unique<ChangeLogWindowView>(changeLogWindow_)),
      signalHistory_(app.timers().clock(), app.host(),
                     [&sensorWindow] { return sensorWindow.heldPeak(); }),
      signalHistoryWindow_(signalHistory_, app.state().texts),
      signalHistoryWindowView_(std::make_unique<SignalHistoryWindowView>(signalHistoryWindow_)),
      walkTest_(app.state(), alarmTone_),
      walkTestView_(std::make_unique<WalkTestWindowView>(walkTest_)) {
    sensorWindow_.addListener(signalHistory_);
    sensorWindow_.addListener(walkTest_);
    // The report's chart: the last two minutes of the same history.
    drawSignalChart_ = [this](QPainter& painter, const QRectF& area) {
        paintSignalChart(painter, area, signalHistory_, workbench::kChartSpanMs,
                         chartTexts(workbench::chartCaptions(app_.state().texts)));
    };
}

ToolWindows::~ToolWindows() {
    sensorWindow_.removeListener(walkTest_);
    sensorWindow_.removeListener(signalHistory_);
    // The views go while their models still exist.
    walkTestView_.reset();
    signalHistoryWindowView_.reset();
    changeLogView_.reset();
}

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

void ToolWindows::openSignalHistory(QWidget* /*owner*/) {
    signalHistoryWindow_.open();
    signalHistoryWindowView_->raise();
}

// --- Walk test ----------------------------------------------------------------

// Beside the sensor window, not modal: the technician keeps both in view.
void ToolWindows::openWalkTest(QWidget* /*owner*/) {
    walkTest_.show();
    if (QWidget* window = walkTestView_->widget()) {
        window->raise();
        window->activateWindow();
    }
}

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

void ToolWindows::openChangeLog(QWidget* /*owner*/) {
    // Non-modal beside the sensor window; a second click brings it forward.
    changeLogWindow_.show();
    if (qt::FormWidget* window = changeLogView_->widget()) {
        window->raise();
        window->activateWindow();
    }
}

void ToolWindows::writeServiceReport(QWidget* owner) {
    const texts::StringTableEntries& strings = app_.state().texts;
    const auto text = [&strings](texts::StringId id) { return texts::textOf(strings, id); };
    const std::string title = text(texts::StringId::ServiceReportTitle);
    if (!workbench::canWriteServiceReport(changeLog_)) {
        app_.host().showCriticalMessage(title, text(texts::StringId::ReportNoSensor));
        return;
    }
    const std::optional<workbench::ServiceReportRequest> request =
        askServiceReportRequest(owner, strings);
    if (!request) {
        return;
    }

    QFileDialog files(owner, qt::toQString(text(texts::StringId::ReportFileDialogTitle)));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setFileMode(QFileDialog::AnyFile);
    files.setNameFilter(qt::toQString(text(texts::StringId::ReportFileFilter)));
    files.setDefaultSuffix(QStringLiteral("pdf"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = files.selectedFiles().constFirst();

    const quarn::HostServices& host = app_.host();
    const std::optional<workbench::ServiceReportContent> content = workbench::assembleServiceReport(
        *request,
        workbench::ServiceReportFacts{
            changeLog_, {strings, host.decimalSeparator()}, host.version(), host.wallClock()});
    if (!content) {
        app_.host().showCriticalMessage(title, text(texts::StringId::ReportNoSensor));
        return;
    }
    const ServiceReportDrawings drawings{[this](QPainter& painter, const QRectF& box) {
                                             paintDetectionArea(painter, box,
                                                                sensorWindow_.detectionAreaPicture,
                                                                sensorWindow_.detectionArea);
                                         },
                                         drawSignalChart_};
    const std::string shownPath = qt::toStdString(QDir::toNativeSeparators(path));
    if (const std::optional<QString> failure = writeServiceReportPdf(*content, drawings, path)) {
        app_.host().showCriticalMessage(
            title, workbench::withValues(text(texts::StringId::ReportWriteFailed), {shownPath}) +
                       "\n" + qt::toStdString(*failure));
        return;
    }
    QMessageBox::information(
        owner, qt::toQString(title),
        qt::toQString(workbench::withValues(text(texts::StringId::ReportWritten), {shownPath})));
}

}  // namespace quarn::gui
