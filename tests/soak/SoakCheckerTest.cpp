// The soak's checks must be able to fail: a parameter write the sensor did
// not report and the technician did not pick is reported, while the same
// write after the technician picked that value is not.

#include <gtest/gtest.h>

#include <array>

#include "link/Commands.h"
#include "scenario/sensor/SensorSession.h"
#include "sim/ZelSensor.h"
#include "soak/InvariantChecker.h"
#include "soak/SoakWorld.h"

namespace quarn::soak {
namespace {

class SoakChecks : public ::testing::Test {
  protected:
    // Runs the application, checking every tick, until the sensor window is
    // open and its first parameter reply has reached the lists.
    void openWindow() {
        world.session.app.start();
        for (int tick = 0; tick < 400; ++tick) {
            world.session.clock.advanceTo(*world.session.clock.nextDue());
            checker.afterTick();
            if (world.session.window.visible() &&
                !world.session.window.conversation().readParametersPending) {
                return;
            }
        }
        FAIL() << "the sensor window did not open";
    }

    // A write of the sensor's own values with the sensitivity replaced.
    void writeSensitivity(std::uint8_t sensitivity) {
        const WireValues held = ToWire(world.programmer.zelSensor()->parameters());
        std::array<std::uint8_t, link::kMaxPayload> payload{};
        std::copy(held.begin(), held.end(), payload.begin());
        payload[0] = sensitivity;
        const auto count =
            static_cast<std::int16_t>(world.programmer.zelSensor()->hasHeight() ? 6 : 5);
        world.session.app.sender().send(link::Command::SetParameters, payload, count, false);
        checker.afterTick();
    }

    std::uint8_t otherSensitivity() const {
        return static_cast<std::uint8_t>(
            world.programmer.zelSensor()->parameters().sensitivity % 9 + 1);
    }

    testing::SessionDirectory dir;
    SoakFigures figures;
    SoakWorld world{dir.path.string(), 7, figures};
    InvariantChecker checker{world};
};

TEST_F(SoakChecks, WriteOfAValueNobodyChoseIsReported) {
    openWindow();
    ASSERT_TRUE(figures.violations.empty());
    writeSensitivity(otherSensitivity());
    ASSERT_EQ(figures.violations.size(), 1U);
    EXPECT_NE(figures.violations[0].find("parameter 0 written as"), std::string::npos);
}

TEST_F(SoakChecks, WriteOfTheTechniciansChoiceIsNot) {
    openWindow();
    world.recordChoice(0, otherSensitivity());
    writeSensitivity(otherSensitivity());
    EXPECT_TRUE(figures.violations.empty());
    EXPECT_GE(figures.reconnectionChecks, 1U);
    EXPECT_EQ(figures.windowOpenings, 1U);
}

}  // namespace
}  // namespace quarn::soak
