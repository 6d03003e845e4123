// The change log window and the service report on the real Qt front end:
// the whole application on a virtual clock with a simulated sensor, a
// change made through a list, the log shown in its window, and the report
// written as a PDF that poppler's tools render and read back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "GuiOnSimulator.h"
#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "gui/ServiceReportPdf.h"
#include "platform/VirtualClock.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/TextBoxView.h"
#include "sim/SimulatedBus.h"
#include "workbench/ChangeLogLines.h"
#include "workbench/ServiceReportContent.h"
#include "workbench/TextPlaceholders.h"

namespace quarn::gui {
namespace {

using guitest::AppDirectory;
using guitest::settle;
using sensor::Parameter;
using texts::StringId;

constexpr qsizetype kMostModalWindows = 6;

struct Language {
    int setting;
    const char* separator;
    const char* name;
};

// The text a tool prints, or nothing when it is not installed or fails.
std::optional<QString> runTool(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

class ServiceReportTest : public guitest::GuiOnSimulator<::testing::TestWithParam<Language>> {
  protected:
    ServiceReportTest() : GuiOnSimulator(GetParam().setting, GetParam().separator) {
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;
        sensor.parameters = {5, 1, 1, 0, 0, 0};
        adapter_.attachDevice(sensor);
    }

    void SetUp() override {
        startGui();
        ASSERT_TRUE(advanceUntil([this] { return log().firstRead().has_value(); }));
        guitest::settle();
    }

    // The technician changes the sensitivity to 7 and the sensor takes it.
    void changeSensitivity() {
        ComboList& list = gui_->sensorWindow().parameterList(Parameter::Sensitivity);
        list.dropDown();
        list.userSelect(6);
        ASSERT_TRUE(advanceUntil([this] {
            return !log().entries().empty() &&
                   std::get<workbench::ParameterChange>(log().entries()[0]).readBack ==
                       workbench::ReadBack::Verified;
        }));
        settle();
    }
    workbench::ChangeLog& log() { return gui_->toolWindows().changeLog(); }
    const texts::StringTableEntries& strings() { return gui_->application().state().texts; }
    QString text(StringId id) { return qt::toQString(texts::textOf(strings(), id)); }

    workbench::ServiceReportContent content() {
        const std::optional<workbench::ServiceReportContent> report =
            workbench::assembleServiceReport(
                {"Mario Rossi", "Porta 3", "Lente pulita.\nSensibilità alzata."},
                {log(),
                 {strings(), dir_.host.separator},
                 {1, 2, 3},
                 std::chrono::system_clock::now()});
        EXPECT_TRUE(report.has_value());
        return report.value_or(workbench::ServiceReportContent{});
    }
    ServiceReportDrawings drawings() {
        sensorwin::SensorWindow& window = gui_->sensorWindow();
        return {[&window](QPainter& painter, const QRectF& box) {
                    paintDetectionArea(painter, box, window.detectionAreaPicture,
                                       window.detectionArea);
                },
                paintChartFrame};
    }
};

TEST_P(ServiceReportTest, ChangeLogWindowShowsTheChangeInTheLanguage) {
    changeSensitivity();
    gui_->toolWindows().open(sensorwin::SensorTool::ChangeLog, nullptr);
    settle();
    qt::FormWidget* window = gui_->toolWindows().changeLogView().widget();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), text(StringId::ChangeLogTitle));
    auto* lines = window->findChild<QPlainTextEdit*>(QStringLiteral("logLines"));
    ASSERT_NE(lines, nullptr);
    EXPECT_TRUE(lines->toPlainText().contains(QStringLiteral(": 5 \u2192 7, ")));
    EXPECT_TRUE(lines->toPlainText().contains(text(StringId::ReadBackVerified)));
    auto* close = window->findChild<QPushButton*>(QStringLiteral("closeButton"));
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->text(), text(StringId::CloseButton));
    close->click();
    settle();
    EXPECT_FALSE(gui_->toolWindows().changeLogWindow().loaded());
}

TEST_P(ServiceReportTest, ReportRendersOnOneOrTwoA4PagesWithEverySection) {
    changeSensitivity();
    QTemporaryDir out;
    ASSERT_TRUE(out.isValid());
    const QString pdf = out.filePath(QStringLiteral("report.pdf"));
    const workbench::ServiceReportContent report = content();
    ASSERT_EQ(writeServiceReportPdf(report, drawings(), pdf), std::nullopt);
    // Written under a temporary name and renamed: nothing else is left.
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("report.pdf")});

    const QString prefix = out.filePath(QStringLiteral("page"));
    if (!runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"),
                                              QStringLiteral("50"), pdf, prefix})) {
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    }
    const QStringList pages =
        QDir(out.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    ASSERT_GE(pages.size(), 1);
    ASSERT_LE(pages.size(), 2);
    for (const QString& page : pages) {
        const QImage image(out.filePath(page));
        ASSERT_FALSE(image.isNull()) << page.toStdString();
        // A4 at 50 dpi: 413 x 585 pixels, portrait.
        EXPECT_NEAR(image.width(), 413, 2);
        EXPECT_NEAR(image.height(), 585, 2);
    }

    const std::optional<QString> extracted =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!extracted) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    // Compare without the line breaks and runs of blanks the layout adds.
    const QString plain = extracted->simplified();
    for (const std::string& expected :
         {report.title, report.serviceHeading, report.sensorHeading, report.noteHeading,
          report.parametersHeading, report.changeLogHeading, report.detectionAreaHeading,
          report.signalChartHeading, report.parameterColumns[1], report.parameterColumns[2],
          std::string("A123456789"), std::string("Mario Rossi"),
          texts::textOf(strings(), StringId::ReadBackVerified)}) {
        EXPECT_TRUE(plain.contains(qt::toQString(expected))) << expected;
    }
    EXPECT_TRUE(plain.contains(
        qt::toQString(workbench::withValues(report.pageNumberTemplate, {"2", "2"}))));
}

TEST_P(ServiceReportTest, AReportThatCannotBeWrittenSaysWhyAndLeavesNothing) {
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("missing/report.pdf"));
    const std::optional<QString> failure = writeServiceReportPdf(content(), drawings(), pdf);
    ASSERT_TRUE(failure.has_value());
    EXPECT_FALSE(failure->isEmpty());
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(
        QDir(out.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_P(ServiceReportTest, TheMenuItemAsksThenWritesTheReportWhereTheTechnicianChose) {
    changeSensitivity();
    QTemporaryDir out;
    const QString chosen = out.filePath(QStringLiteral("visit"));  // the suffix comes by itself
    QStringList seen;
    // Each modal window in turn, answered from inside its own event loop.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) {
            return;
        }
        seen << modal->windowTitle();
        if (seen.size() > kMostModalWindows) {
            modal->close();  // a window that will not go: end the test rather than hang
            return;
        }
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            // As the technician types the name into the dialog's name box.
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(chosen);
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            dialog->findChild<QLineEdit*>(QStringLiteral("technicianBox"))
                ->setText(QStringLiteral("Anna Bianchi"));
            dialog->accept();
        }
    });
    answer.start(50);
    gui_->toolWindows().open(sensorwin::SensorTool::ServiceReport, nullptr);
    answer.stop();

    EXPECT_EQ(seen, (QStringList{text(StringId::ServiceReportTitle),
                                 text(StringId::ReportFileDialogTitle),
                                 text(StringId::ServiceReportTitle)}));
    EXPECT_TRUE(dir_.host.messages.empty());
    QFile pdf(chosen + QStringLiteral(".pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
}

TEST(ServiceReportRefusal, WithoutASensorReadTheReportIsRefusedInWords) {
    AppDirectory dir(true, 1);
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    bus.plugAdapter("QuarnProg");  // no sensor behind it
    GuiApplication gui(bus, clock, dir.host);
    gui.start(false);
    clock.advance(3000);
    gui.toolWindows().open(sensorwin::SensorTool::ServiceReport, nullptr);
    ASSERT_EQ(dir.host.messages.size(), 1U);
    EXPECT_EQ(dir.host.messages[0].title, "Service report");
    EXPECT_EQ(dir.host.messages[0].text,
              texts::textOf(gui.application().state().texts, StringId::ReportNoSensor));
}

INSTANTIATE_TEST_SUITE_P(Languages, ServiceReportTest,
                         ::testing::Values(Language{0, ",", "Italian"},
                                           Language{1, ".", "English"}),
                         [](const ::testing::TestParamInfo<Language>& language) {
                             return std::string(language.param.name);
                         });

}  // namespace
}  // namespace quarn::gui
