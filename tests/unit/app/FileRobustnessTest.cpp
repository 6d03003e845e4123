// The application's two files when the application directory holds
// something other than what the program wrote: directories in their place,
// endless or binary files, leftovers of an interrupted save. The application
// either falls back to its defaults or shows its one fatal message; it never
// hangs, crashes or leaves a half-written settings file.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "ShellFixture.h"
#include "app/Settings.h"
#include "app/StringTableFile.h"
#include "support/RecordingDriver.h"

namespace quarn::app {
namespace {

namespace fs = std::filesystem;
using quarn::testing::CopyDeliveredStringTable;
using quarn::testing::fatalTextLookingIn;
using quarn::testing::RecordingDriver;
using quarn::testing::ShellFixture;

class FileRobustness : public ::testing::Test {
  protected:
    void startAndExit() {
        shell.app().start();
        if (!shell.app().ended()) {
            shell.startWindow().exitMenu.click();
        }
        ASSERT_TRUE(shell.app().ended());
        EXPECT_EQ(shell.host.quitRequests, 1);
    }

    RecordingDriver driver;
    ShellFixture shell{driver};
};

TEST_F(FileRobustness, DirectoryInPlaceOfTheStringTableIsTheFatalFailure) {
    // In place of the string table: the fatal message, then the normal
    // shutdown, which still writes the settings.
    fs::create_directory(shell.dir.file("StringTable.txt"));
    startAndExit();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    EXPECT_EQ(shell.host.messages[0].text, fatalTextLookingIn(shell.dir.str()));
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::English));
    EXPECT_TRUE(fs::is_directory(shell.dir.file("StringTable.txt")));
}

TEST_F(FileRobustness, DirectoryInPlaceOfTheSettingsFileStartsInEnglishAndIsKept) {
    CopyDeliveredStringTable(shell.dir);
    fs::create_directory(shell.dir.file("QuarnSoft.prm"));
    shell.app().start();
    EXPECT_EQ(shell.state().language, Language::English);
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Exit");
    shell.startWindow().italianMenuItem.click();
    shell.startWindow().exitMenu.click();
    EXPECT_TRUE(shell.host.messages.empty());
    EXPECT_TRUE(fs::is_directory(shell.dir.file("QuarnSoft.prm")));
    EXPECT_FALSE(shell.dir.exists("QuarnSoft.prm.new"));
}

TEST_F(FileRobustness, EndlessFilesAreReadOnlyUpToTheirLimit) {
    if (!fs::exists("/dev/zero")) {
        GTEST_SKIP() << "no endless device to point at";
    }
    // Both names lead to a file that never ends: the settings give English,
    // the string table is refused with the fatal message, and nothing hangs.
    fs::create_symlink("/dev/zero", shell.dir.file("QuarnSoft.prm"));
    fs::create_symlink("/dev/zero", shell.dir.file("StringTable.txt"));
    EXPECT_EQ(loadSettings(shell.dir.str()), Language::English);
    StringTableEntries table;
    EXPECT_FALSE(loadStringTable(shell.dir.str(), Language::Italian, table));
    startAndExit();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    // The save follows the link to a device, which is no file to replace:
    // the link and the device stay as they are, and nothing is left behind.
    EXPECT_TRUE(fs::is_symlink(shell.dir.file("QuarnSoft.prm")));
    EXPECT_EQ(fs::read_symlink(shell.dir.file("QuarnSoft.prm")), "/dev/zero");
    EXPECT_TRUE(fs::is_character_file("/dev/zero"));
    EXPECT_FALSE(fs::exists("/dev/zero.new"));
    EXPECT_FALSE(shell.dir.exists("QuarnSoft.prm.new"));
}

TEST_F(FileRobustness, BinaryStringTableGivesTheFatalMessageOrItsTexts) {
    std::mt19937 random(424242);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 40; ++round) {
        RecordingDriver roundDriver;
        ShellFixture roundShell{roundDriver};
        std::string bytes(static_cast<std::size_t>(2000 + round * 500), '\0');
        for (char& b : bytes) {
            b = static_cast<char>(byte(random));
        }
        roundShell.dir.write("StringTable.txt", bytes);
        StringTableEntries expected;
        const bool valid = parseStringTable(bytes, Language::English, expected);
        roundShell.app().start();
        EXPECT_EQ(roundShell.app().ended(), !valid);
        EXPECT_EQ(roundShell.host.messages.size(), valid ? 0U : 1U);
        if (valid) {
            EXPECT_EQ(roundShell.texts(), expected);
        }
    }
}

TEST_F(FileRobustness, LeftoverOfAnInterruptedSaveIsReplacedByTheNextSave) {
    CopyDeliveredStringTable(shell.dir);
    // An earlier save stopped after writing half of its temporary file.
    shell.dir.write("QuarnSoft.prm", settingsText(Language::English));
    shell.dir.write("QuarnSoft.prm.new", "\"File configura");
    shell.app().start();
    EXPECT_EQ(shell.state().language, Language::English);
    shell.startWindow().italianMenuItem.click();
    shell.startWindow().exitMenu.click();
    EXPECT_EQ(shell.dir.read("QuarnSoft.prm"), settingsText(Language::Italian));
    EXPECT_FALSE(shell.dir.exists("QuarnSoft.prm.new"));
}

}  // namespace
}  // namespace quarn::app
