// The real windows built from the real models on a virtual clock: layout,
// colours and fonts of the start window, the menus, the modal About window,
// the traffic monitor, and windows going away from their own handlers.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <memory>

#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "platform/VirtualClock.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/MenuBarView.h"
#include "sim/SimulatedBus.h"

namespace quarn::gui {
namespace {

using guitest::AppDirectory;
using guitest::settle;
using qt::FormWidget;
using qt::ImageView;

class FormWindows : public ::testing::Test {
  protected:
    explicit FormWindows(int language = -1) : dir_(true, language) {}

    void SetUp() override {
        bus_.plugAdapter("QuarnProg").attachDevice(sim::DeviceConfig{});
        gui_ = std::make_unique<GuiApplication>(bus_, clock_, dir_.host);
        gui_->start(false);
        settle();
    }
    void TearDown() override {
        gui_.reset();
        settle();
    }

    FormWidget& startWindow() { return *gui_->startWindowView().widget(); }
    app::StartWindow& startWindowModel() { return gui_->application().startWindow(); }
    template <typename T>
    T& child(QWidget& parent, const char* name) {
        T* found = parent.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QAction& menuAction(const MenuItem& item) {
        QAction* action = startWindow().menus()->actionFor(item);
        EXPECT_NE(action, nullptr) << item.name();
        return *action;
    }

    AppDirectory dir_;
    VirtualClock clock_;
    sim::SimulatedBus bus_{clock_};
    std::unique_ptr<GuiApplication> gui_;
};

class ItalianFormWindows : public FormWindows {
  protected:
    ItalianFormWindows() : FormWindows(0) {}
};

TEST_F(FormWindows, StartWindowShowsTheDesignLayoutCentredOnTheScreen) {
    FormWidget& window = startWindow();
    ASSERT_TRUE(window.isVisible());
    EXPECT_EQ(window.windowTitle(), "QuarnSoft");
    EXPECT_EQ(window.client()->size(), QSize(404, 166));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 2);

    QWidget& client = *window.client();
    auto& name = child<QLabel>(client, "programName");
    auto& version = child<QLabel>(client, "versionLabel");
    auto& prog = child<QLabel>(client, "programmerStatus");
    auto& device = child<QLabel>(client, "deviceStatus");
    EXPECT_EQ(name.geometry(), QRect(36, 4, 197, 53));
    EXPECT_EQ(version.geometry(), QRect(228, 20, 129, 29));
    EXPECT_EQ(prog.geometry(), QRect(8, 64, 385, 49));
    EXPECT_EQ(device.geometry(), QRect(12, 108, 381, 45));

    EXPECT_EQ(name.text(), "QuarnSoft");
    EXPECT_EQ(version.text(), "Ver 1.00");
    EXPECT_EQ(name.font().family(), "Comic Sans MS");
    EXPECT_DOUBLE_EQ(name.font().pointSizeF(), 25.5);
    EXPECT_TRUE(name.font().bold() && name.font().italic());
    EXPECT_DOUBLE_EQ(version.font().pointSizeF(), 13.5);
    EXPECT_EQ(prog.font().family(), "Arial");
    EXPECT_DOUBLE_EQ(prog.font().pointSizeF(), 13.5);
    EXPECT_TRUE(prog.font().bold() && prog.font().italic());
    EXPECT_EQ(name.palette().color(QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(version.palette().color(QPalette::WindowText), QColor(0, 0, 128));

    // Status labels empty at start, centred, see-through over the picture,
    // which lies behind all of them.
    for (QLabel* label : {&name, &version, &prog, &device}) {
        EXPECT_FALSE(label->autoFillBackground()) << label->objectName().toStdString();
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    }
    EXPECT_TRUE(prog.text().isEmpty());
    EXPECT_TRUE(device.text().isEmpty());
    auto& picture = child<ImageView>(client, "backgroundPicture");
    EXPECT_EQ(picture.geometry(), QRect(12, 12, 474, 173));
    EXPECT_EQ(picture.image().size(), QSize(474, 173));
    EXPECT_EQ(client.children().indexOf(&picture), 0);

    // The supervision's first tick shows the programmer in green.
    clock_.advance(1600);
    EXPECT_FALSE(prog.text().isEmpty());
    EXPECT_EQ(prog.text().toStdString(), startWindowModel().programmerStatus.caption());
    EXPECT_EQ(prog.palette().color(QPalette::WindowText), QColor(0, 128, 0));
}

TEST_F(ItalianFormWindows, MenusReadLeftToRightAndFollowTheLanguage) {
    QMenuBar& bar = *startWindow().menus();
    QStringList texts;
    for (QAction* action : bar.actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"&Esci", "&Lingua", "?"}));

    QAction& english = menuAction(startWindowModel().englishMenuItem);
    EXPECT_EQ(english.text(), "I&nglese");
    english.trigger();
    texts.clear();
    for (QAction* action : bar.actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"&Exit", "&Language", "?"}));
    EXPECT_EQ(menuAction(startWindowModel().italianMenuItem).text(), "&Italian");
}

TEST_F(FormWindows, CloseBoxRunsTheShutdownAndTheWindowGoesLater) {
    QPointer<FormWidget> window = &startWindow();
    gui_->application().showMonitor();
    ASSERT_NE(gui_->trafficMonitorView().widget(), nullptr);

    window->close();
    EXPECT_TRUE(gui_->ended());
    EXPECT_EQ(dir_.host.quitRequests, 1);
    EXPECT_TRUE(dir_.hasSettingsFile());
    EXPECT_FALSE(gui_->application().trafficMonitor().loaded()) << "the monitor goes with it";
    EXPECT_EQ(gui_->startWindowView().widget(), nullptr);
    ASSERT_FALSE(window.isNull()) << "not deleted inside its own close event";
    EXPECT_FALSE(window->isVisible());
    settle();
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(gui_->trafficMonitorView().widget(), nullptr);
}

TEST_F(FormWindows, AboutIsModalOverTheStartWindowAndItsOwnButtonClosesIt) {
    menuAction(startWindowModel().aboutMenu).trigger();
    FormWidget* about = gui_->aboutWindowView().widget();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(QApplication::activeModalWidget(), about);
    // No title text; an empty title would make Qt show the program's name.
    EXPECT_TRUE(about->windowTitle().trimmed().isEmpty());
    EXPECT_FALSE(about->windowTitle().isEmpty());
    EXPECT_EQ(about->client()->size(), QSize(264, 168));
    EXPECT_LE((about->frameGeometry().center() - startWindow().frameGeometry().center())
                  .manhattanLength(),
              2);
    auto& text = child<QLabel>(*about->client(), "contactDetails");
    EXPECT_TRUE(text.text().startsWith("Quarn Elettronica"));
    EXPECT_EQ(text.text().count('\n'), 6);
    auto& logo = child<ImageView>(*about->client(), "logo");
    EXPECT_EQ(logo.image().size(), QSize(197, 64));
    // The logo reaches into the text box: where the first line runs it is
    // see-through, so the company name stays readable.
    const int firstLineEnd = text.y() + text.fontMetrics().height() - logo.y();
    int opaqueOverText = 0;
    for (int y = text.y() - logo.y(); y < std::min(firstLineEnd, logo.image().height()); ++y) {
        for (int x = 0; x < logo.image().width(); ++x) {
            opaqueOverText += logo.image().pixelColor(x, y).alpha() > 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(opaqueOverText, 0);

    // Timers keep running under the modal window: supervision goes on.
    clock_.advance(1600);
    EXPECT_FALSE(startWindowModel().programmerStatus.caption().empty());

    QPointer<FormWidget> gone = about;
    auto& ok = child<QPushButton>(*about->client(), "okButton");
    EXPECT_EQ(ok.text(), "OK");
    QTest::mouseClick(&ok, Qt::LeftButton);
    EXPECT_FALSE(gui_->application().aboutWindow().loaded());
    EXPECT_EQ(gui_->aboutWindowView().widget(), nullptr);
    settle();
    EXPECT_TRUE(gone.isNull());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    // A second opening builds a fresh window.
    menuAction(startWindowModel().aboutMenu).trigger();
    ASSERT_NE(gui_->aboutWindowView().widget(), nullptr);
    gui_->aboutWindowView().widget()->close();  // the close box unloads it too
    EXPECT_FALSE(gui_->application().aboutWindow().loaded());
}

TEST_F(FormWindows, AboutIsClosedByReturnOnItsFocusedOkAndByEscape) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        menuAction(startWindowModel().aboutMenu).trigger();
        FormWidget* about = gui_->aboutWindowView().widget();
        ASSERT_NE(about, nullptr);
        auto& ok = child<QPushButton>(*about->client(), "okButton");
        about->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(about));
        ASSERT_TRUE(ok.hasFocus()) << "the only control that takes the focus";
        QTest::keyClick(key == Qt::Key_Escape ? static_cast<QWidget*>(about) : &ok, key);
        EXPECT_FALSE(gui_->application().aboutWindow().loaded())
            << QKeySequence(key).toString().toStdString();
        settle();
    }
    // Keys that press nothing leave it open.
    menuAction(startWindowModel().aboutMenu).trigger();
    FormWidget* about = gui_->aboutWindowView().widget();
    ASSERT_NE(about, nullptr);
    QTest::keyClick(&child<QPushButton>(*about->client(), "okButton"), Qt::Key_A);
    EXPECT_TRUE(gui_->application().aboutWindow().visible());
}

// Windows laid out at fixed positions keep their size: the window system is
// told so, and they offer no maximise button.
TEST_F(FormWindows, StartAboutAndSensorWindowsHaveAFixedSize) {
    auto expectFixed = [](FormWidget& window, const char* name) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(window.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
        EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(window.minimumSize(), window.size());
        EXPECT_EQ(window.maximumSize(), window.size());
        const QSize before = window.size();
        window.resize(before + QSize(120, 80));
        EXPECT_EQ(window.size(), before);
    };
    expectFixed(startWindow(), "start window");
    menuAction(startWindowModel().aboutMenu).trigger();
    ASSERT_NE(gui_->aboutWindowView().widget(), nullptr);
    expectFixed(*gui_->aboutWindowView().widget(), "About window");
    gui_->application().aboutWindow().unload();

    gui_->application().showMonitor();
    ASSERT_NE(gui_->trafficMonitorView().widget(), nullptr);
    EXPECT_FALSE(gui_->trafficMonitorView().widget()->windowFlags() &
                 Qt::MSWindowsFixedSizeDialogHint)
        << "the traffic monitor keeps its frame";

    for (int waited = 0; waited < 20000 && !gui_->sensorWindow().visible(); waited += 10) {
        clock_.advance(10);
    }
    ASSERT_NE(gui_->sensorWindowView().widget(), nullptr);
    expectFixed(*gui_->sensorWindowView().widget(), "sensor window");
}

TEST_F(FormWindows, ShortcutShowsTheMonitorWhichListsTrafficFromThenOn) {
    EXPECT_EQ(gui_->trafficMonitorView().widget(), nullptr)
        << "nothing shows the monitor by itself";
    clock_.advance(2100);  // requests sent while hidden are dropped

    startWindow().activateWindow();
    QTest::keyClick(&startWindow(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
    FormWidget* monitor = gui_->trafficMonitorView().widget();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_EQ(monitor->windowTitle(), "Debug");
    EXPECT_EQ(monitor->client()->size(), QSize(492, 280));
    EXPECT_FALSE(monitor->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(monitor->windowFlags() & Qt::WindowMinimizeButtonHint);

    auto& tx = child<QPlainTextEdit>(*monitor->client(), "sentFrames");
    auto& rx = child<QPlainTextEdit>(*monitor->client(), "receivedFrames");
    EXPECT_EQ(tx.geometry(), QRect(6, 3, 475, 133));
    EXPECT_EQ(rx.geometry(), QRect(6, 144, 475, 127));
    EXPECT_TRUE(tx.toPlainText().isEmpty());

    clock_.advance(1000);
    EXPECT_TRUE(tx.toPlainText().startsWith("01020000000103\n"));
    EXPECT_FALSE(rx.toPlainText().isEmpty());
    EXPECT_EQ(tx.textCursor().position(), tx.toPlainText().size());
    EXPECT_TRUE(tx.font().fixedPitch() || QFontInfo(tx.font()).fixedPitch());

    // Its close box unloads it; the boxes start empty next time.
    monitor->close();
    EXPECT_FALSE(gui_->application().trafficMonitor().visible());
    gui_->application().showMonitor();
    ASSERT_NE(gui_->trafficMonitorView().widget(), nullptr);
    EXPECT_TRUE(child<QPlainTextEdit>(*gui_->trafficMonitorView().widget()->client(), "sentFrames")
                    .toPlainText()
                    .isEmpty());
}

TEST(FormWindowsStart, MissingStringTableEndsBeforeAnyWindowAppears) {
    AppDirectory dir(false);
    VirtualClock clock;
    sim::SimulatedBus bus(clock);
    GuiApplication gui(bus, clock, dir.host);
    gui.start(true);
    EXPECT_TRUE(gui.ended());
    ASSERT_EQ(dir.host.messages.size(), 1U);
    EXPECT_EQ(gui.startWindowView().widget(), nullptr);
    EXPECT_EQ(gui.trafficMonitorView().widget(), nullptr);
    EXPECT_EQ(clock.activeTimers(), 0U) << "no timer runs after the fatal message";
}

}  // namespace
}  // namespace quarn::gui
