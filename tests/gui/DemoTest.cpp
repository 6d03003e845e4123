// The demo wiring of quarnsoft --simulate in real time: Qt timers, the
// simulated programmer with a Zel sensor behind it, the real windows.

#include <gtest/gtest.h>

#include <QLabel>

#include "GuiTestSupport.h"
#include "gui/DemoBus.h"
#include "gui/GuiApplication.h"
#include "platform/qt/QtTimerService.h"

namespace quarn::gui {
namespace {

using guitest::waitUntil;

TEST(Demo, ProgrammerAndSensorAreFoundWithinSecondsOfRealTime) {
    guitest::AppDirectory dir;
    qt::QtTimerService timers;
    DemoBus demo;
    {
        GuiApplication gui(demo.driver(), timers, dir.host);
        gui.start(false);
        ASSERT_NE(gui.startWindowView().widget(), nullptr);
        auto* prog =
            gui.startWindowView().widget()->client()->findChild<QLabel*>("programmerStatus");
        ASSERT_NE(prog, nullptr);

        // The first status tick comes 1.5 s after start.
        ASSERT_TRUE(waitUntil([&] {
            return !prog->text().isEmpty() &&
                   prog->palette().color(QPalette::WindowText) == QColor(0, 128, 0);
        }));
        EXPECT_EQ(gui.application().startWindow().lastLinkStatus(), link::LinkStatus::Open);
        ASSERT_TRUE(waitUntil([&] { return gui.application().state().identity.type != 0; }));
        EXPECT_EQ(gui.application().state().identity.type, 0x0101);
    }
    guitest::settle();
}

}  // namespace
}  // namespace quarn::gui
