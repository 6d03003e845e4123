// Where the string table and the settings are found: the portable folder
// (both beside the executable), an installation (the table in its data
// folder, the settings in the user's configuration folder) and a read-only
// executable folder that holds a settings file of its own.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ShellFixture.h"
#include "app/FilePlaces.h"
#include "app/Settings.h"
#include "support/FilePermissions.h"
#include "support/RecordingDriver.h"

namespace quarn::app {
namespace {

namespace fs = std::filesystem;
using quarn::testing::RecordingDriver;
using quarn::testing::ShellFixture;

// A table of one entry, the Exit menu, that tells which file was read.
constexpr char kInstalledTable[] = "#STRING 11\r\nEsci (installato)\r\nExit (installed)\r\n";

// An installation under one temporary prefix: <prefix>/bin holds the
// executable, <prefix>/share/quarnsoft its data, <prefix>/config/QuarnSoft
// stands for the user's configuration folder (not there until a save).
class FilePlacesTest : public ::testing::Test {
  protected:
    FilePlacesTest() {
        fs::create_directories(bin);
        fs::create_directories(data);
        shell.host.directory = bin.string();
        shell.host.installedData = installedDataDirectoryBeside(bin.string());
        shell.host.userConfig = config.string();
    }

    void putDeliveredTable(const fs::path& folder) const {
        fs::copy_file(QUARN_STRING_TABLE_SOURCE, folder / "StringTable.txt");
    }
    static void write(const fs::path& file, const std::string& bytes) {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    void makeExecutableFolderReadOnly() { shell.host.readOnlyFolders.push_back(bin.string()); }

    // Another run of the program on the same folders.
    std::string exitCaptionOfNextRun() {
        RecordingDriver nextDriver;
        Application next(nextDriver, shell.clock, shell.host);
        next.start();
        return next.startWindow().exitMenu.caption();
    }

    RecordingDriver driver;
    ShellFixture shell{driver};
    const fs::path bin = shell.dir.path() / "bin";
    const fs::path data = shell.dir.path() / "share" / "quarnsoft";
    const fs::path config = shell.dir.path() / "config" / "QuarnSoft";
};

TEST_F(FilePlacesTest, PortableFolderKeepsBothFilesBesideTheExecutable) {
    EXPECT_EQ(shell.host.installedData, data.string());
    putDeliveredTable(bin);
    write(bin / "QuarnSoft.prm", settingsText(Language::Italian));
    // An installation's files elsewhere are not looked at.
    write(data / "StringTable.txt", kInstalledTable);
    write(config / "QuarnSoft.prm", settingsText(Language::English));

    shell.app().start();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Esci");
    shell.startWindow().englishMenuItem.click();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Exit");
    shell.startWindow().exitMenu.click();
    EXPECT_TRUE(shell.host.messages.empty());
    EXPECT_EQ(read(bin / "QuarnSoft.prm"), settingsText(Language::English));

    // The configuration copy, Italian now, still does not count.
    write(config / "QuarnSoft.prm", settingsText(Language::Italian));
    EXPECT_EQ(exitCaptionOfNextRun(), "&Exit");
}

TEST_F(FilePlacesTest, InstallationReadsItsDataFolderAndKeepsSettingsInTheUserConfig) {
    write(data / "StringTable.txt", kInstalledTable);
    makeExecutableFolderReadOnly();

    shell.app().start();
    EXPECT_TRUE(shell.host.messages.empty());
    EXPECT_EQ(shell.state().language, Language::English);
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "Exit (installed)");
    shell.startWindow().italianMenuItem.click();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "Esci (installato)");
    shell.startWindow().exitMenu.click();

    // The configuration folder was made for the file; the same bytes as
    // beside the executable, and nothing beside the executable.
    EXPECT_EQ(read(config / "QuarnSoft.prm"), settingsText(Language::Italian));
    EXPECT_FALSE(fs::exists(bin / "QuarnSoft.prm"));
    EXPECT_EQ(exitCaptionOfNextRun(), "Esci (installato)");

    // An installation whose bin folder takes files (run by root) is still
    // no portable folder: nothing is written beside the executable.
    shell.host.readOnlyFolders.clear();
    RecordingDriver nextDriver;
    Application next(nextDriver, shell.clock, shell.host);
    next.start();
    EXPECT_EQ(next.startWindow().exitMenu.caption(), "Esci (installato)");
    next.startWindow().englishMenuItem.click();
    next.startWindow().exitMenu.click();
    EXPECT_FALSE(fs::exists(bin / "QuarnSoft.prm"));
    EXPECT_EQ(read(config / "QuarnSoft.prm"), settingsText(Language::English));
}

TEST_F(FilePlacesTest, ReadOnlyExecutableFolderWithSettingsLeavesThemAndKeepsTheUsersCopy) {
    putDeliveredTable(bin);
    write(bin / "QuarnSoft.prm", settingsText(Language::Italian));
    makeExecutableFolderReadOnly();

    // Read from beside the executable while the user has no copy.
    shell.app().start();
    EXPECT_EQ(shell.startWindow().exitMenu.caption(), "&Esci");
    shell.startWindow().englishMenuItem.click();
    shell.startWindow().exitMenu.click();
    // The folder's file stays as it is; the choice is the user's copy, which
    // is read first from now on.
    EXPECT_EQ(read(bin / "QuarnSoft.prm"), settingsText(Language::Italian));
    EXPECT_EQ(read(config / "QuarnSoft.prm"), settingsText(Language::English));
    EXPECT_EQ(exitCaptionOfNextRun(), "&Exit");
}

TEST_F(FilePlacesTest, WithoutAConfigFolderAReadOnlyInstallationKeepsNothing) {
    putDeliveredTable(bin);
    write(bin / "QuarnSoft.prm", settingsText(Language::Italian));
    makeExecutableFolderReadOnly();
    shell.host.userConfig.clear();
    EXPECT_FALSE(settingsPlacesOf(shell.host).writeFolder.has_value());

    shell.app().start();
    shell.startWindow().englishMenuItem.click();
    shell.startWindow().exitMenu.click();
    EXPECT_TRUE(shell.host.messages.empty());
    EXPECT_EQ(read(bin / "QuarnSoft.prm"), settingsText(Language::Italian));
    EXPECT_FALSE(fs::exists(shell.dir.path() / "config"));
}

TEST_F(FilePlacesTest, FatalMessageNamesEveryPlaceLookedIn) {
    shell.app().start();
    ASSERT_EQ(shell.host.messages.size(), 1U);
    EXPECT_EQ(shell.host.messages[0].text,
              "Unable to find file \"StringTable.txt\", the application will be terminated\n\n"
              "Places looked in:\n" +
                  bin.string() + "\n" + data.string());
    EXPECT_TRUE(shell.app().ended());

    // A damaged table beside the executable is not passed over for the
    // installed one: the technician learns that something is wrong there.
    write(bin / "StringTable.txt", "#STRING\r\n");
    write(data / "StringTable.txt", kInstalledTable);
    const FileFolders folders = fileFoldersOf(shell.host);
    EXPECT_EQ(stringTableFolder(folders), bin.string());
    RecordingDriver nextDriver;
    Application next(nextDriver, shell.clock, shell.host);
    next.start();
    EXPECT_TRUE(next.ended());
    EXPECT_EQ(shell.host.messages.back().text, shell.host.messages.front().text);

    // One place named once, empty ones left out.
    EXPECT_EQ(stringTableMissingMessage(FileFolders{"/opt/q", "/opt/q", ""}),
              "Unable to find file \"StringTable.txt\", the application will be terminated\n\n"
              "Places looked in:\n/opt/q");
    EXPECT_EQ(stringTableFolders(FileFolders{"/opt/q", "", "/home/t/.config/QuarnSoft"}),
              std::vector<std::string>{"/opt/q"});
}

TEST_F(FilePlacesTest, WritableFolderIsAskedOfTheFileSystem) {
    EXPECT_TRUE(isWritableDirectory(bin.string()));
    EXPECT_FALSE(isWritableDirectory((shell.dir.path() / "missing").string()));
    EXPECT_FALSE(isWritableDirectory(""));
    write(bin / "file", "x");
    EXPECT_FALSE(isWritableDirectory((bin / "file").string()));
    if (!quarn::testing::permissionsBind()) {
        GTEST_SKIP() << "permissions do not bind for this user";
    }
    // A folder the user may not write to, without the host's help.
    fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(isWritableDirectory(bin.string()));
    shell.host.readOnlyFolders.clear();
    EXPECT_EQ(settingsPlacesOf(shell.host).writeFolder, config.string());
    fs::permissions(bin, fs::perms::owner_all);
}

}  // namespace
}  // namespace quarn::app
