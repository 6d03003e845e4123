#include <gtest/gtest.h>

#include <filesystem>

#include "drivers/diagnosis/UdevRule.h"
#include "support/TempDir.h"

namespace quarn::diagnosis {
namespace {

namespace fs = std::filesystem;

struct RuleDirectories {
    quarn::testing::TempDir root;
    fs::path etc = root.file("etc");
    fs::path run = root.file("run");
    fs::path lib = root.file("lib");

    RuleDirectories() {
        fs::create_directory(etc);
        fs::create_directory(lib);  // run is left out: a place that does not exist is no error
    }
    UdevRuleStatus locate() const { return locateUdevRule({etc, run, lib}); }
};

TEST(UdevRule, FoundInTheFirstPlaceThatHoldsItAndEveryPlaceIsNamed) {
    RuleDirectories places;
    UdevRuleStatus status = places.locate();
    EXPECT_EQ(status.state, UdevRuleState::Missing);
    EXPECT_EQ(status.foundAt, "");
    EXPECT_EQ(
        status.placesLooked,
        (std::vector<std::string>{places.etc.string(), places.run.string(), places.lib.string()}));

    // The rule file the program ships, installed as the fix command installs it.
    fs::copy_file(QUARN_UDEV_RULE_FILE, places.lib / kUdevRuleName);
    status = places.locate();
    EXPECT_EQ(status.state, UdevRuleState::Installed);
    EXPECT_EQ(status.foundAt, (places.lib / kUdevRuleName).string());
    EXPECT_EQ(status.placesLooked.size(), 3U);

    fs::copy_file(QUARN_UDEV_RULE_FILE, places.etc / kUdevRuleName);
    EXPECT_EQ(places.locate().foundAt, (places.etc / kUdevRuleName).string());
}

TEST(UdevRule, LinkToDevNullInAnEarlierPlaceSwitchesTheRuleOff) {
    RuleDirectories places;
    fs::copy_file(QUARN_UDEV_RULE_FILE, places.lib / kUdevRuleName);
    fs::create_symlink("/dev/null", places.etc / kUdevRuleName);
    const UdevRuleStatus status = places.locate();
    EXPECT_EQ(status.state, UdevRuleState::Masked);
    EXPECT_EQ(status.foundAt, (places.etc / kUdevRuleName).string());
}

}  // namespace
}  // namespace quarn::diagnosis
