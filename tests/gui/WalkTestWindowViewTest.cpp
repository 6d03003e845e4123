// The walk test window as the technician uses it: opened from the sensor
// window's Tools menu beside it, its type growing with the window, and full
// screen taken by the button or F11 and left with Escape.

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "GuiOnSimulator.h"
#include "GuiTestSupport.h"
#include "gui/GuiApplication.h"
#include "link/Commands.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::gui {
namespace {

using guitest::settle;

class WalkTestWindowViewTest : public guitest::GuiOnSimulator<::testing::Test> {
  protected:
    WalkTestWindowViewTest() : GuiOnSimulator(1) {
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;
        adapter_.attachDevice(sensor);
    }

    // A level sample as the sensor sends it.
    void sample(int level, std::uint8_t alarm) {
        const auto frame = testing::makeReply(link::Command::SignalSample,
                                              {2, static_cast<std::uint8_t>(level >> 8),
                                               static_cast<std::uint8_t>(level & 0xFF), alarm});
        gui_->sensorWindow().replyDecoder().decode(frame.bytes, frame.length);
    }

    workbench::WalkTestWindow& form() { return gui_->toolWindows().walkTest(); }
    qt::FormWidget& window() { return *gui_->toolWindows().walkTestView().widget(); }
    QLabel& alarmField() { return *window().findChild<QLabel*>(QStringLiteral("alarmField")); }
};

TEST_F(WalkTestWindowViewTest, OpensBesideTheSensorWindowAndFillsTheScreenOnRequest) {
    gui_->sensorWindow().toolMenuItem(sensorwin::SensorTool::WalkTest).click();
    settle();
    ASSERT_NE(gui_->toolWindows().walkTestView().widget(), nullptr);
    ASSERT_TRUE(window().isVisible());
    EXPECT_EQ(window().windowModality(), Qt::NonModal);
    EXPECT_TRUE(gui_->sensorWindowView().widget()->isVisible());
    EXPECT_EQ(window().windowTitle(), "Walk test");

    sample(15000, 0x80);
    settle();
    EXPECT_EQ(alarmField().text(), "ALARM");
    const int windowedType = alarmField().font().pixelSize();
    EXPECT_GE(windowedType, 40) << "readable from a distance";

    // The button fills the screen, and the type grows with the window.
    auto* button = window().findChild<QPushButton*>(QStringLiteral("fullScreenButton"));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    settle();
    EXPECT_TRUE(form().fullScreen());
    EXPECT_TRUE(window().isFullScreen());
    EXPECT_EQ(button->text(), "&Leave full screen (Esc)");
    EXPECT_GT(alarmField().font().pixelSize(), windowedType);

    // Escape leaves it, F11 takes it again, and so does closing the window.
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    QTest::keyClick(&window(), Qt::Key_Escape);
    settle();
    EXPECT_FALSE(window().isFullScreen());
    EXPECT_FALSE(form().fullScreen());
    EXPECT_EQ(button->text(), "&Full screen (F11)");
    QTest::keyClick(&window(), Qt::Key_F11);
    settle();
    EXPECT_TRUE(window().isFullScreen());

    form().unload();
    settle();
    gui_->sensorWindow().toolMenuItem(sensorwin::SensorTool::WalkTest).click();
    settle();
    ASSERT_NE(gui_->toolWindows().walkTestView().widget(), nullptr);
    EXPECT_FALSE(window().isFullScreen());
}

}  // namespace
}  // namespace quarn::gui
