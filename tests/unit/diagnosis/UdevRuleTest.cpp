#include <gtest/gtest.h>

#include <filesystem>

#include "drivers/diagnosis/UdevRule.h"
#include "support/FilePermissions.h"
#include "support/TempDir.h"

namespace quarn::diagnosis {
namespace {

namespace fs = std::filesystem;

// udev's places stood in for by etc, run (left out: a missing place is no
// error) and lib; the rule installed is the file the program ships.
TEST(UdevRule, TheFirstPlaceHoldingTheRuleDecidesAndEveryPlaceIsNamed) {
    if (!quarn::testing::symbolicLinksWork()) {
        GTEST_SKIP() << "udev rules are a Linux matter, and this system makes no symbolic links";
    }
    const quarn::testing::TempDir root;
    const fs::path etc = root.file("etc"), run = root.file("run"), lib = root.file("lib");
    fs::create_directory(etc);
    fs::create_directory(lib);
    const auto locate = [&] { return locateUdevRule({etc, run, lib}); };

    EXPECT_EQ(locate().state, UdevRuleState::Missing);
    EXPECT_EQ(locate().placesLooked,
              (std::vector<std::string>{etc.string(), run.string(), lib.string()}));

    fs::copy_file(QUARN_UDEV_RULE_FILE, lib / kUdevRuleName);
    EXPECT_EQ(locate().state, UdevRuleState::Installed);
    EXPECT_EQ(locate().foundAt, (lib / kUdevRuleName).string());
    EXPECT_EQ(locate().placesLooked.size(), 3U);

    // A link to /dev/null in an earlier place switches the rule off.
    fs::create_symlink("/dev/null", etc / kUdevRuleName);
    EXPECT_EQ(locate().state, UdevRuleState::Masked);
    EXPECT_EQ(locate().foundAt, (etc / kUdevRuleName).string());
}

}  // namespace
}  // namespace quarn::diagnosis
