// The sensor window as the technician sees it: the whole application on a
// virtual clock with a simulated programmer and Zel sensor, opened by the
// supervision, checked through the real Qt widgets.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <cstdlib>
#include <initializer_list>
#include <memory>

#include "GuiOnSimulator.h"
#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "link/Commands.h"
#include "platform/VirtualClock.h"
#include "platform/qt/LedView.h"
#include "platform/qt/MenuBarView.h"
#include "platform/qt/PictureBoxView.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/SliderView.h"
#include "platform/qt/StatusBarView.h"
#include "sim/SimulatedBus.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::qt {
namespace {

using guitest::settle;
using guitest::snapshot;

QStringList itemTexts(const QComboBox& combo) {
    QStringList texts;
    for (int i = 0; i < combo.count(); ++i) {
        texts << combo.itemText(i);
    }
    return texts;
}

bool near(const QColor& actual, const QColor& expected, int tolerance) {
    return std::abs(actual.red() - expected.red()) <= tolerance &&
           std::abs(actual.green() - expected.green()) <= tolerance &&
           std::abs(actual.blue() - expected.blue()) <= tolerance;
}

class SensorWindowViewTest : public guitest::GuiOnSimulator<::testing::Test> {
  protected:
    explicit SensorWindowViewTest(int language = 0, const char* decimalSeparator = ",")
        : GuiOnSimulator(language, decimalSeparator) {
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;  // the noise floor only, unless a test moves
        adapter_.attachDevice(sensor);
    }

    // Waits for the sensor's first parameter reply, which draws the area.
    void awaitParameters() {
        ASSERT_TRUE(advanceUntil([this] { return !form().detectionAreaPicture.lines().empty(); }));
    }

    void receive(link::Command command, std::initializer_list<std::uint8_t> payload) {
        const auto frame = testing::makeReply(command, payload);
        form().replyDecoder().decode(frame.bytes, frame.length);
    }
    void sample(int level, std::uint8_t alarm) {
        receive(link::Command::SignalSample, {2, static_cast<std::uint8_t>(level >> 8),
                                              static_cast<std::uint8_t>(level & 0xFF), alarm});
    }

    sensorwin::SensorWindow& form() { return gui_->sensorWindow(); }
    FormWidget& window() { return *gui_->sensorWindowView().widget(); }
    template <typename T>
    T& child(const char* name) {
        T* found = window().findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return *found;
    }
    QString text(const char* labelName) { return child<QLabel>(labelName).text(); }
};

class EnglishSensorWindowViewTest : public SensorWindowViewTest {
  protected:
    EnglishSensorWindowViewTest() : SensorWindowViewTest(1, ".") {}
};

TEST_F(SensorWindowViewTest, OpensWithTheLoadTextsListsAndSelections) {
    ASSERT_FALSE(gui_->startWindowView().widget()->isVisible()) << "the main window hides";
    FormWidget& win = window();
    ASSERT_TRUE(win.isVisible());
    EXPECT_EQ(win.windowTitle(), "Radar Zel");
    EXPECT_EQ(win.frameGeometry().width(), twipsToPixels(4972));
    EXPECT_EQ(win.client()->height(), twipsToPixels(4665));

    const QList<QAction*> menu = win.menus()->actions();
    // Exit, then the Tools menu with one item for each tool window.
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu.front()->text(), "&Esci");
    EXPECT_EQ(menu.back()->text(), "S&trumenti");
    ASSERT_NE(menu.back()->menu(), nullptr);
    EXPECT_EQ(menu.back()->menu()->actions().size(), 6);

    EXPECT_EQ(text("signalCaption"), "SEGNALE");
    EXPECT_EQ(child<QGroupBox>("parametersFrame").title(), "Parametri");
    EXPECT_EQ(text("sensitivityCaption"), QString::fromUtf8("Sensibilit\u00E0"));
    EXPECT_EQ(text("relayOnTimeCaption"), QString::fromUtf8("Tempo ON rel\u00E8 [sec]"));
    EXPECT_EQ(text("levelValue"), "");
    EXPECT_EQ(text("peakValue"), "0");

    // Before the sensor's first parameter reply: the load selections, and
    // the relay times written with the user's decimal comma.
    struct Expected {
        const char* name;
        QStringList items;
        int selected;
    };
    const Expected lists[] = {
        {"sensitivityList", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 4},
        {"relayOnTimeList", {"0,5", "1", "1,5", "2", "2,5", "3", "3,5", "4", "4,5"}, 0},
        {"reactionSpeedList", {"Lenta", "Normale", "Veloce"}, 1},
        {"mainsFilterList", {"Disattivato", "50 Hz", "60 Hz"}, 0},
        {"highTrafficList", {"Disattivo", "Attivo"}, 0},
        {"installationHeightList", {"2.30 m", "2.90 m", "3.50 m"}, 0},
    };
    for (const Expected& list : lists) {
        auto& combo = child<QComboBox>(list.name);
        EXPECT_EQ(itemTexts(combo), list.items) << list.name;
        EXPECT_EQ(combo.currentIndex(), list.selected) << list.name;
        EXPECT_FALSE(combo.isEditable()) << list.name;
    }
    EXPECT_TRUE(child<QComboBox>("installationHeightList").isHidden());
    EXPECT_TRUE(child<QLabel>("installationHeightCaption").isHidden());
    EXPECT_TRUE(child<QLabel>("heightLabel").isHidden());
    EXPECT_TRUE(child<QComboBox>("sensitivityList").isVisible());

    // The sensor's reply then moves the lists to its stored values.
    awaitParameters();
    EXPECT_EQ(child<QComboBox>("relayOnTimeList").currentText(), "1");
    EXPECT_EQ(child<QComboBox>("mainsFilterList").currentText(), "50 Hz");
    EXPECT_EQ(child<QComboBox>("installationHeightList").currentIndex(), 1);
    ASSERT_TRUE(advanceUntil([this] { return form().statusBar.panelText("identity") != ""; }));
    auto* panel = child<StatusBarView>("statusBar").panel("identity");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->text().contains("A123456789")) << panel->text().toStdString();
}

TEST_F(EnglishSensorWindowViewTest, TextsFollowTheLanguageAndAPointSeparator) {
    EXPECT_EQ(window().menus()->actions().front()->text(), "&Exit");
    EXPECT_EQ(text("signalCaption"), "SIGNAL");
    EXPECT_EQ(itemTexts(child<QComboBox>("highTrafficList")), (QStringList{"Off", "On"}));
    EXPECT_EQ(itemTexts(child<QComboBox>("relayOnTimeList")).mid(0, 3),
              (QStringList{"0.5", "1", "1.5"}));
}

TEST_F(SensorWindowViewTest, AreaShowsTheGridBlackThroughTheLightRedOval) {
    awaitParameters();  // sensitivity 5: the box 65, 50, 270 x 200
    auto& view = child<PictureBoxView>("detectionAreaPicture");
    EXPECT_EQ(view.size(), QSize(221, 120));
    const QImage image = snapshot(view);
    const int b = PictureBoxView::kBorder;
    const double sx = (view.width() - 2 * b) / 400.0;
    const double sy = (view.height() - 2 * b) / 300.0;
    auto at = [&](double u, double v) {
        return image.pixelColor(b + static_cast<int>(u * sx), b + static_cast<int>(v * sy));
    };
    // Whether any pixel near the point has the colour (lines are one pixel).
    auto anyNear = [&](double u, double v, const QColor& color) {
        const int x0 = b + static_cast<int>(u * sx);
        const int y0 = b + static_cast<int>(v * sy);
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (image.pixelColor(x0 + dx, y0 + dy) == color) {
                    return true;
                }
            }
        }
        return false;
    };
    const QColor white(255, 255, 255);
    const QColor black(0, 0, 0);
    const QColor lightRed(255, 128, 128);

    EXPECT_EQ(at(20, 20), white) << "outside the oval";
    EXPECT_EQ(at(385, 285), white);
    EXPECT_TRUE(anyNear(50, 20, black)) << "a grid line outside the oval";
    EXPECT_EQ(at(225, 125), lightRed) << "inside the oval";
    EXPECT_EQ(at(175, 175), lightRed);
    EXPECT_TRUE(anyNear(200, 125, black)) << "a vertical line through the oval";
    EXPECT_TRUE(anyNear(225, 100, black)) << "a horizontal line through the oval";
    EXPECT_FALSE(anyNear(225, 100, lightRed) && !anyNear(225, 100, black));

    // Left to right through the middle band: white, then the red outline,
    // then the light red fill.
    const int row = b + static_cast<int>(125 * sy);
    int x = b + static_cast<int>(55 * sx);
    while (x < view.width() / 2 && image.pixelColor(x, row) == white) {
        ++x;
    }
    EXPECT_EQ(image.pixelColor(x, row), QColor(255, 0, 0)) << "outline at x " << x;
    EXPECT_NEAR((x - b) / sx, 69.3, 3.0);
    EXPECT_EQ(image.pixelColor(x + 4, row), lightRed);
}

TEST_F(SensorWindowViewTest, SamplesDriveTheLevelLabelsBarAndLed) {
    awaitParameters();
    auto& led = child<LedView>("alarmLed");
    auto& bar = child<SliderView>("levelBar");
    auto ledColour = [&] {
        const QImage image = snapshot(led);
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    // The bar's top end and bottom end, inside the groove.
    auto barTop = [&] { return snapshot(bar).pixelColor(bar.width() - 12, 8); };
    auto barBottom = [&] { return snapshot(bar).pixelColor(bar.width() - 12, bar.height() - 8); };
    const QColor fill(0, 128, 255);

    EXPECT_TRUE(near(ledColour(), QColor(192, 192, 192), 12)) << "grey while off";

    sample(300, 0);  // bytes 1 and 44
    EXPECT_EQ(text("levelValue"), "300");
    EXPECT_EQ(text("peakValue"), "300");
    EXPECT_EQ(form().levelBar.value(), 300);
    EXPECT_EQ(barBottom(), fill);
    EXPECT_NE(barTop(), fill);

    sample(65535, 0x80);
    EXPECT_EQ(text("levelValue"), "65535");
    EXPECT_EQ(text("peakValue"), "65535");
    EXPECT_EQ(form().levelBar.value(), 65535);
    EXPECT_EQ(barTop(), fill) << "above the scale the bar is full";
    EXPECT_TRUE(near(ledColour(), QColor(255, 0, 0), 12)) << "red while the alarm is on";

    receive(link::Command::SignalSample, {1, 0, 5, 0});  // another mode: nothing moves
    EXPECT_EQ(text("levelValue"), "65535");
    EXPECT_TRUE(form().alarmLed.on());

    sample(200, 0);
    EXPECT_EQ(text("levelValue"), "200");
    EXPECT_EQ(text("peakValue"), "65535") << "held";
    EXPECT_TRUE(near(ledColour(), QColor(192, 192, 192), 12));
    EXPECT_NE(barTop(), fill);
}

TEST_F(SensorWindowViewTest, SimulatedMotionLightsTheLedAndRaisesThePeak) {
    awaitParameters();
    sim::ZelSensor* sensor = adapter_.zelSensor();
    ASSERT_NE(sensor, nullptr);
    sensor->triggerMotion(15000, 1500);
    ASSERT_TRUE(advanceUntil([this] { return form().alarmLed.on(); }));
    EXPECT_GT(text("peakValue").toInt(), 1000);
    EXPECT_EQ(text("levelValue").toInt(), form().levelBar.value());
    // The relay holds, then drops after the event; the peak follows down.
    ASSERT_TRUE(advanceUntil([this] { return !form().alarmLed.on(); }));
    clock_.advance(2100);
    EXPECT_LT(text("peakValue").toInt(), 1000);
}

TEST_F(SensorWindowViewTest, PickingAnItemReachesTheSensorAndRedrawsTheArea) {
    awaitParameters();
    auto& combo = child<QComboBox>("sensitivityList");
    ASSERT_EQ(combo.currentIndex(), 4);
    const std::size_t writesBefore =
        adapter_.framesReceived(link::commandByte(link::Command::SetParameters));

    combo.showPopup();
    EXPECT_TRUE(form().parameterMemory()[sensor::Parameter::Sensitivity].beingEdited)
        << "opening the list holds writes back";
    clock_.advance(300);
    EXPECT_EQ(adapter_.framesReceived(link::commandByte(link::Command::SetParameters)),
              writesBefore);

    QTest::keyClick(combo.view(), Qt::Key_End);
    QTest::keyClick(combo.view(), Qt::Key_Return);
    EXPECT_EQ(combo.currentIndex(), 8);
    EXPECT_EQ(form().parameterList(sensor::Parameter::Sensitivity).listIndex(), 8);
    EXPECT_FALSE(form().parameterMemory()[sensor::Parameter::Sensitivity].beingEdited);

    ASSERT_TRUE(
        advanceUntil([this] { return adapter_.zelSensor()->parameters().sensitivity == 9; }));
    EXPECT_GT(adapter_.framesReceived(link::commandByte(link::Command::SetParameters)),
              writesBefore);
    // The read-back confirms it and the oval grows to size 9.
    ASSERT_TRUE(advanceUntil([this] {
        return form().parameterMemory()[sensor::Parameter::Sensitivity].lastReported == 8;
    }));
    EXPECT_EQ(combo.currentText(), "9");
    auto& view = child<PictureBoxView>("detectionAreaPicture");
    const QImage image = snapshot(view);
    const int b = PictureBoxView::kBorder;
    const int x = b + static_cast<int>(30 * (view.width() - 2 * b) / 400.0);
    const int y = b + static_cast<int>(140 * (view.height() - 2 * b) / 300.0);
    EXPECT_EQ(image.pixelColor(x, y), QColor(255, 128, 128));
}

TEST_F(SensorWindowViewTest, LostSensorClosesTheWindowAndTheNextOpeningStartsAfresh) {
    awaitParameters();
    sample(4000, 1);
    QPointer<FormWidget> first = &window();

    adapter_.detachDevice();
    ASSERT_TRUE(advanceUntil([this] { return !form().loaded(); }));
    EXPECT_EQ(gui_->sensorWindowView().widget(), nullptr);
    EXPECT_TRUE(gui_->startWindowView().widget()->isVisible()) << "the main window comes back";
    EXPECT_FALSE(gui_->ended());
    settle();
    EXPECT_TRUE(first.isNull()) << "the closed window goes once its handler has returned";

    ASSERT_TRUE(adapter_.reattachDevice());
    ASSERT_TRUE(advanceUntil([this] { return form().visible(); }));
    settle();
    EXPECT_EQ(text("levelValue"), "");
    EXPECT_EQ(text("peakValue"), "0");
    EXPECT_FALSE(form().alarmLed.on());
    EXPECT_EQ(child<QComboBox>("sensitivityList").currentIndex(), 4);
}

TEST_F(SensorWindowViewTest, ExitMenuSendsTheStreamStopAndEndsTheApplication) {
    awaitParameters();
    const std::size_t stopsBefore =
        adapter_.framesReceived(link::commandByte(link::Command::SetStreaming));
    QPointer<FormWidget> win = &window();
    win->menus()->actionFor(form().exitMenu)->trigger();
    EXPECT_EQ(adapter_.framesReceived(link::commandByte(link::Command::SetStreaming)),
              stopsBefore + 1);
    EXPECT_TRUE(gui_->ended());
    EXPECT_EQ(dir_.host.quitRequests, 1);
    settle();
    EXPECT_TRUE(win.isNull());
}

}  // namespace
}  // namespace quarn::qt
