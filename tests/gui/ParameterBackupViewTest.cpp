// Parameter backup and restore as the technician meets them: the Tools menu
// items, Qt's file dialog answered by typing a path and pressing Enter, the
// message boxes, and the restore window applied with its access key. With
// QUARN_SHOTS_DIR set, each window is also saved there as a PNG.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "GuiOnSimulator.h"
#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "platform/VirtualClock.h"
#include "platform/qt/QtConversions.h"
#include "sim/SimulatedBus.h"

namespace quarn::gui {
namespace {

using guitest::settle;
using texts::StringId;

// Saves the widget as it paints itself when QUARN_SHOTS_DIR names a folder.
void shoot(QWidget& widget, const QString& name) {
    const QString folder = qEnvironmentVariable("QUARN_SHOTS_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder)) {
        widget.grab().save(QDir(folder).filePath(name), "PNG");
    }
}

// Answers the next modal window (file dialog or message box) from inside its
// own event loop, once it shows.
void whenModal(std::function<void(QWidget&)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        answer(*modal);
    });
    poll->start();
}

// Types the path into Qt's file dialog and presses Enter.
void typePath(QWidget& dialog, const QString& path) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
}

class ParameterBackupViewTest : public guitest::GuiOnSimulator<::testing::TestWithParam<int>> {
  protected:
    ParameterBackupViewTest() : GuiOnSimulator(GetParam(), GetParam() == 0 ? "," : ".") {
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;
        // Whatever is written, the sensor reports sensitivity 7 (relay 2.5 s).
        sensor.forcedReplyValues = std::array<std::uint8_t, 6>{7, 5, 1, 1, 0, 1};
        adapter_.attachDevice(sensor);
    }
    QString text(StringId id) {
        return qt::toQString(texts::textOf(gui_->application().state().texts, id));
    }
    QString language() const { return GetParam() == 0 ? "italian" : "english"; }
    void clickTool(sensorwin::SensorTool tool) { gui_->sensorWindow().toolMenuItem(tool).click(); }

    QTemporaryDir files_;
};

TEST_P(ParameterBackupViewTest, SaveEditLoadAndApplyThroughTheWindows) {
    // Before the sensor's first reply: refused, no dialog.
    QString refusal;
    whenModal([&](QWidget& box) {
        refusal = static_cast<QMessageBox&>(box).text();
        shoot(box, "save-refused-" + language() + ".png");
        static_cast<QMessageBox&>(box).accept();
    });
    clickTool(sensorwin::SensorTool::SaveParameters);
    EXPECT_EQ(refusal, text(StringId::SaveRefusedNoReply));

    ASSERT_TRUE(advanceUntil([this] {
        return !gui_->sensorWindow().conversation().readParametersPending &&
               !gui_->sensorWindow().conversation().listsReportedBy.serial.empty();
    }));
    clock_.advance(500);

    // Saved under a name typed without its suffix.
    const QString typed = QDir(files_.path()).filePath("backup");
    QString saved;
    whenModal([&](QWidget& dialog) {
        ASSERT_NE(qobject_cast<QFileDialog*>(&dialog), nullptr);
        whenModal([&](QWidget& box) {
            saved = static_cast<QMessageBox&>(box).text();
            static_cast<QMessageBox&>(box).accept();
        });
        typePath(dialog, typed);
    });
    clickTool(sensorwin::SensorTool::SaveParameters);
    EXPECT_TRUE(saved.contains(typed + ".json")) << saved.toStdString();
    std::stringstream json;
    json << std::ifstream(qt::toFilesystemPath(typed + ".json")).rdbuf();
    std::string edited = json.str();
    const std::size_t at = edited.find(R"("sensitivity": 7)");
    ASSERT_NE(at, std::string::npos) << edited;
    edited.replace(at, 16, R"("sensitivity": 9)");
    const QString editedPath = QDir(files_.path()).filePath("edited.json");
    std::ofstream(qt::toFilesystemPath(editedPath), std::ios::binary) << edited;

    whenModal([&](QWidget& dialog) { typePath(dialog, editedPath); });
    clickTool(sensorwin::SensorTool::LoadParameters);
    settle();
    workbench::ParameterRestoreWindow& restore = gui_->toolWindows().restoreWindow();
    qt::FormWidget* window = gui_->toolWindows().restoreWindowView().widget();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    auto label = [&](const char* name) {
        auto* found = window->findChild<QLabel*>(QString::fromLatin1(name));
        return found != nullptr ? found->text() : QStringLiteral("(missing)");
    };
    EXPECT_EQ(label("sensitivityState"), text(StringId::RestoreDiffers));
    EXPECT_EQ(label("sensitivityFileValue"), "9");
    EXPECT_EQ(label("relayOnTimeSensorValue"), GetParam() == 0 ? "2,5" : "2.5");
    EXPECT_EQ(label("relayOnTimeState"), "");
    shoot(*window, "restore-differences-" + language() + ".png");

    // Alt and the access key press Apply.
    ASSERT_TRUE(restore.applyButton.enabled());
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_A, Qt::AltModifier);
    // The access key animates the press: the click comes a moment later.
    ASSERT_TRUE(guitest::waitUntil([&] { return restore.applyStarted(); }));
    ASSERT_TRUE(advanceUntil([&] { return !restore.applying(); }));
    EXPECT_EQ(restore.apply().outcome(), workflow::ApplyOutcome::Differences);
    settle();
    EXPECT_TRUE(label("outcomeLine").contains(text(StringId::SensitivityCaption)));
    shoot(*window, "restore-outcome-" + language() + ".png");

    // Unplugged: the sensor window closes and the comparison goes stale.
    adapter_.detachDevice();
    ASSERT_TRUE(advanceUntil([this] { return !gui_->sensorWindow().visible(); }));
    settle();
    EXPECT_TRUE(label("outcomeLine").contains(text(StringId::RestoreComparisonStale)));
    shoot(*window, "restore-stale-" + language() + ".png");
}

INSTANTIATE_TEST_SUITE_P(Languages, ParameterBackupViewTest, ::testing::Values(0, 1));

}  // namespace
}  // namespace quarn::gui
