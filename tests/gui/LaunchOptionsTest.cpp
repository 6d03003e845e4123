// The command line and the check for a display.

#include <gtest/gtest.h>

#include <map>

#include "gui/LaunchOptions.h"

namespace quarn::qt {
namespace {

TEST(LaunchOptions, KnownOptionsCombineAndTheFirstUnknownOneIsKept) {
    const LaunchOptions none = parseLaunchOptions({});
    EXPECT_FALSE(none.simulate || none.monitor || none.help || none.version);
    EXPECT_TRUE(none.unknown.empty());

    const LaunchOptions demo = parseLaunchOptions({"--simulate", "--monitor"});
    EXPECT_TRUE(demo.simulate);
    EXPECT_TRUE(demo.monitor);
    EXPECT_TRUE(demo.unknown.empty());

    const LaunchOptions idle = parseLaunchOptions({"--bench-no-sensor"});
    EXPECT_TRUE(idle.simulate) << "the empty programmer is a simulated one";
    EXPECT_TRUE(idle.benchNoSensor);
    EXPECT_EQ(usageText().find("--bench"), std::string::npos) << "measuring aids stay unlisted";

    const LaunchOptions bad = parseLaunchOptions({"--simulate", "-platform", "--nope"});
    EXPECT_EQ(bad.unknown, "-platform");
    EXPECT_NE(usageText().find("--simulate"), std::string::npos);
    EXPECT_EQ(versionText(), "quarnsoft 1.0.0\n");
}

TEST(LaunchOptions, MissingDisplayIsReportedOnlyWhenNothingCanBeOpened) {
    std::map<std::string, std::string> env;
    auto lookup = [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    };
#ifdef __linux__
    const auto message = missingDisplayMessage(lookup);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message,
              "quarnsoft: no display available (DISPLAY is not set); use xvfb-run or set "
              "QT_QPA_PLATFORM=offscreen");
    env["DISPLAY"] = "";
    EXPECT_TRUE(missingDisplayMessage(lookup).has_value()) << "an empty DISPLAY opens nothing";
#endif
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        env.clear();
        env[name] = "x";
        EXPECT_FALSE(missingDisplayMessage(lookup).has_value()) << name;
    }
}

}  // namespace
}  // namespace quarn::qt
