#include "ScreenshotTour.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "ShotsHost.h"
#include "app/Settings.h"
#include "gui/GuiApplication.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "sim/ZelSensor.h"
#include "workbench/WalkTestWindow.h"

namespace quarn::shots {

namespace {

constexpr int kStepMs = 10;
constexpr int kPatienceMs = 30000;
constexpr int kDialogSettleMs = 300;

// The application directory of the run: the delivered string table and a
// settings file that starts the program in Italian.
bool prepareDirectory(const QTemporaryDir& dir, QString& error) {
    const QString table = QDir(dir.path()).filePath(QStringLiteral("StringTable.txt"));
    if (!QFile::copy(QStringLiteral(QUARN_STRING_TABLE_SOURCE), table)) {
        error = QStringLiteral("cannot copy the string table into ") + dir.path();
        return false;
    }
    const std::string settings = app::settingsText(app::Language::Italian);
    QFile file(QDir(dir.path()).filePath(QStringLiteral("QuarnSoft.prm")));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(settings.data(), static_cast<qint64>(settings.size())) !=
            static_cast<qint64>(settings.size())) {
        error = QStringLiteral("cannot write the settings file");
        return false;
    }
    return true;
}

// Everything one run owns, in the order it must be built and torn down.
struct Run {
    Run(const std::string& directory, const QString& decimalPoint)
        : host(directory, clock, decimalPoint.toStdString()),
          adapter(bus.plugAdapter("QuarnProg")) {
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;  // motion only when the tour makes it
        adapter.attachDevice(sensor);
        gui = std::make_unique<gui::GuiApplication>(bus, clock, host);
    }
    ~Run() {
        gui.reset();
        // Let the windows closed by the application go before the models.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Moves virtual time on, letting Qt lay out and paint in between.
    void advance(int ms) {
        for (int done = 0; done < ms; done += kStepMs) {
            clock.advance(kStepMs);
            QCoreApplication::processEvents();
        }
    }
    bool advanceUntil(const std::function<bool()>& condition) {
        for (int waited = 0; waited <= kPatienceMs; waited += kStepMs) {
            if (condition()) {
                return true;
            }
            advance(kStepMs);
        }
        return condition();
    }
    int level() { return std::atoi(gui->sensorWindow().levelValue.caption().c_str()); }

    VirtualClock clock;
    ShotsHost host;
    sim::SimulatedBus bus{clock};
    sim::Adapter& adapter;
    std::unique_ptr<gui::GuiApplication> gui;
};

// The walk test beside the sensor window: during a motion event, at rest and
// filling the screen, in English; without a signal once the sensor is lost;
// then, with the sensor back, in Italian.
using SaveShot = std::function<bool(const qt::FormWindow&, const char*)>;
using FailStep = std::function<bool(const char*)>;

bool shootWalkTest(Run& run, const SaveShot& save, const FailStep& fail) {
    gui::GuiApplication& gui = *run.gui;
    app::Application& app = gui.application();
    sensorwin::SensorWindow& sensor = gui.sensorWindow();
    workbench::WalkTestWindow& walkTest = gui.toolWindows().walkTest();
    const qt::FormWindow& view = gui.toolWindows().walkTestView();

    auto shootLanguage = [&](const char* alarmShot, const char* quietShot,
                             const char* fullScreenShot) {
        sensor.toolMenuItem(sensorwin::SensorTool::WalkTest).click();
        run.advance(200);
        run.adapter.zelSensor()->triggerMotion(15000, 1600);
        if (!run.advanceUntil([&] { return sensor.alarmLed.on() && run.level() > 12000; })) {
            return fail("walk test: motion event");
        }
        if (!save(view, alarmShot)) {
            return false;
        }
        if (!run.advanceUntil([&] { return !sensor.alarmLed.on(); })) {
            return fail("walk test: end of the motion event");
        }
        run.advance(2500);  // the held peak falls back
        if (!save(view, quietShot)) {
            return false;
        }
        walkTest.fullScreenButton.click();
        run.adapter.zelSensor()->triggerMotion(9000, 1600);
        if (!run.advanceUntil([&] { return sensor.alarmLed.on() && run.level() > 6000; })) {
            return fail("walk test: motion event in full screen");
        }
        if (!save(view, fullScreenShot)) {
            return false;
        }
        walkTest.setFullScreen(false);
        run.advance(200);
        return true;
    };

    if (!shootLanguage("14-walk-test-alarm-english.png", "15-walk-test-quiet-english.png",
                       "16-walk-test-full-screen-english.png")) {
        return false;
    }

    // The sensor is lost: the sensor window closes, the walk test shows it.
    run.adapter.detachDevice();
    if (!run.advanceUntil([&] { return !sensor.loaded(); })) {
        return fail("sensor window closed");
    }
    run.advance(500);
    if (!save(view, "17-walk-test-no-signal-english.png")) {
        return false;
    }

    // In Italian, with the sensor back.
    app.startWindow().italianMenuItem.click();
    run.adapter.reattachDevice();
    if (!run.advanceUntil([&] { return sensor.visible(); })) {
        return fail("sensor window open again");
    }
    run.advance(1500);
    return shootLanguage("18-walk-test-alarm-italian.png", "19-walk-test-quiet-italian.png",
                         "20-walk-test-full-screen-italian.png");
}

}  // namespace

bool ScreenshotTour::run(QString& error) {
    if (!QDir().mkpath(output_)) {
        error = QStringLiteral("cannot create ") + output_;
        return false;
    }
    QTemporaryDir appDir;
    if (!appDir.isValid() || !prepareDirectory(appDir, error)) {
        return false;
    }

    Run run(appDir.path().toStdString(), QLocale::system().decimalPoint());
    auto save = [&](const qt::FormWindow& window, const char* name) {
        QWidget* widget = window.widget();
        if (widget == nullptr || !widget->isVisible()) {
            error = QStringLiteral("window not shown for ") + QString::fromLatin1(name);
            return false;
        }
        QCoreApplication::processEvents();
        const QString path = QDir(output_).filePath(QString::fromLatin1(name));
        if (!widget->grab().save(path, "PNG")) {
            error = QStringLiteral("cannot write ") + path;
            return false;
        }
        written_ << path;
        return true;
    };
    auto fail = [&](const char* step) {
        error = QStringLiteral("not reached: ") + QString::fromLatin1(step);
        return false;
    };

    gui::GuiApplication& gui = *run.gui;
    app::Application& app = gui.application();
    sensorwin::SensorWindow& sensor = gui.sensorWindow();
    gui.start(false);
    if (gui.ended()) {
        return fail("start-up");
    }

    // The supervision has shown the programmer and the sensor behind it.
    if (!run.advanceUntil([&] { return !app.startWindow().deviceStatus.caption().empty(); })) {
        return fail("device status");
    }
    if (!save(gui.startWindowView(), "01-main-italian.png")) {
        return false;
    }
    // In English; the next status tick rewrites the status labels too.
    const std::string italianStatus = app.startWindow().programmerStatus.caption();
    app.startWindow().englishMenuItem.click();
    if (!run.advanceUntil(
            [&] { return app.startWindow().programmerStatus.caption() != italianStatus; })) {
        return fail("status in English");
    }
    if (!save(gui.startWindowView(), "02-main-english.png")) {
        return false;
    }
    app.startWindow().aboutMenu.click();
    if (!save(gui.aboutWindowView(), "03-about.png")) {
        return false;
    }
    app.aboutWindow().okButton.click();

    // From here on the monitor lists the traffic.
    app.showMonitor();
    if (!run.advanceUntil(
            [&] { return sensor.visible() && !sensor.detectionAreaPicture.lines().empty(); })) {
        return fail("sensor window with its parameters");
    }
    run.advance(1500);
    if (!save(gui.sensorWindowView(), "04-sensor-at-rest.png")) {
        return false;
    }

    run.adapter.zelSensor()->triggerMotion(14000, 1600);
    if (!run.advanceUntil([&] { return sensor.alarmLed.on() && run.level() > 10000; })) {
        return fail("motion event");
    }
    if (!save(gui.sensorWindowView(), "05-sensor-motion.png")) {
        return false;
    }

    // Once the event is over, the technician raises the sensitivity to 8.
    if (!run.advanceUntil([&] { return !sensor.alarmLed.on(); })) {
        return fail("end of the motion event");
    }
    run.advance(2500);
    sensor.parameterList(quarn::sensor::Parameter::Sensitivity).dropDown();
    sensor.parameterList(quarn::sensor::Parameter::Sensitivity).userSelect(7);
    if (!run.advanceUntil([&] {
            return run.adapter.zelSensor()->parameters().sensitivity == 8 &&
                   sensor.parameterMemory()[quarn::sensor::Parameter::Sensitivity].lastReported ==
                       7;
        })) {
        return fail("parameter change confirmed by the sensor");
    }
    run.advance(500);
    if (!save(gui.sensorWindowView(), "06-sensor-parameter-change.png")) {
        return false;
    }
    if (!save(gui.trafficMonitorView(), "07-traffic-monitor.png")) {
        return false;
    }

    // The signal history: another motion event, then the chart in English
    // (and in Italian at the end, once the language has been switched).
    sensor.toolMenuItem(sensorwin::SensorTool::SignalHistory).click();
    run.adapter.zelSensor()->triggerMotion(17000, 2500);
    run.advance(6000);
    if (!save(gui.toolWindows().signalHistoryWindowView(), "08-signal-history-english.png")) {
        return false;
    }

    // The change log keeps that change; then the service report's dialog.
    const auto toolItem = [&](sensorwin::SensorTool tool) -> MenuItem& {
        return sensor.toolMenuItem(tool);
    };
    const auto saveReportDialog = [&](const char* name) {
        bool saved = false;
        // The dialog is modal: it is photographed and cancelled from inside
        // its own event loop.
        QTimer::singleShot(kDialogSettleMs, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) {
                return;
            }
            for (const auto& [box, text] :
                 {std::pair{"technicianBox", "Mario Rossi"}, std::pair{"siteBox", "Via Roma 1"}}) {
                if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(box))) {
                    edit->setText(QString::fromUtf8(text));
                }
            }
            QCoreApplication::processEvents();
            const QString path = QDir(output_).filePath(QString::fromLatin1(name));
            saved = dialog->grab().save(path, "PNG");
            if (saved) {
                written_ << path;
            }
            dialog->close();
        });
        toolItem(sensorwin::SensorTool::ServiceReport).click();
        if (!saved) {
            error = QStringLiteral("report dialog not shown for ") + QString::fromLatin1(name);
        }
        return saved;
    };
    toolItem(sensorwin::SensorTool::ChangeLog).click();
    run.advance(200);
    if (!save(gui.toolWindows().changeLogView(), "09-change-log-english.png") ||
        !saveReportDialog("10-report-dialog-english.png")) {
        return false;
    }
    // Back in Italian: the log is put in words again when its window opens.
    gui.toolWindows().changeLogWindow().unload();
    app.startWindow().italianMenuItem.click();
    toolItem(sensorwin::SensorTool::ChangeLog).click();
    run.advance(200);
    if (!save(gui.toolWindows().changeLogView(), "11-change-log-italian.png") ||
        !saveReportDialog("12-report-dialog-italian.png")) {
        return false;
    }
    run.advance(200);
    if (!save(gui.toolWindows().signalHistoryWindowView(), "13-signal-history-italian.png")) {
        return false;
    }
    // The walk test starts in English again.
    app.startWindow().englishMenuItem.click();

    return shootWalkTest(run, save, fail);
}

}  // namespace quarn::shots
