#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "app/Settings.h"
#include "support/FilePermissions.h"
#include "support/TempDir.h"

namespace quarn::app {
namespace {

namespace fs = std::filesystem;
using quarn::testing::TempDir;

constexpr char kHeaderLine[] = "\"File configurazione QuarnSoft\"\r\n";

TEST(SettingsFile, WritesTheExactBytesAndReadsThemBack) {
    EXPECT_EQ(settingsText(Language::English), "\"File configurazione QuarnSoft\"\r\n1\r\n");
    EXPECT_EQ(settingsText(Language::English).size(), 36U);
    EXPECT_EQ(settingsText(languageAtLine(-12)), std::string(kHeaderLine) + "-12\r\n");

    TempDir dir;
    for (std::int16_t value : {0, 1, 2, -1, -32768, 32767}) {
        saveSettings(dir.str(), languageAtLine(value));
        EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(languageAtLine(value)));
        EXPECT_EQ(lineOf(loadSettings(dir.str())), value);
    }
    EXPECT_FALSE(dir.exists("QuarnSoft.prm.new"));
}

TEST(SettingsFile, MissingFileMeansEnglish) {
    TempDir dir;
    EXPECT_EQ(loadSettings(dir.str()), Language::English);
    EXPECT_EQ(loadSettings((dir.path() / "no-such-directory").string()), Language::English);
}

TEST(SettingsFile, HeaderDecidesBetweenEnglishAndItalianFallback) {
    struct Case {
        const char* bytes;
        std::int16_t expected;
    };
    const Case cases[] = {
        // Header accepted: quoted, unquoted, leading blanks, a second field.
        {"\"File configurazione QuarnSoft\"\r\n0\r\n", 0},
        {"File configurazione QuarnSoft\r\n0\r\n", 0},
        {"File configurazione QuarnSoft  \r\n0\r\n", 0},
        {"  \"File configurazione QuarnSoft\"\r\n0\r\n", 0},
        {"\"File configurazione QuarnSoft\",other\r\n0\r\n", 0},
        {"\"File configurazione QuarnSoft\"\n0\n", 0},
        // Header rejected: English.
        {"", 1},
        {"\r\n0\r\n", 1},
        {"\"file configurazione quarnsoft\"\r\n0\r\n", 1},
        {"\"FILE CONFIGURAZIONE QUARNSOFT\"\r\n0\r\n", 1},
        {"\"File configurazione QuarnSoft \"\r\n0\r\n", 1},
        {"\"File configurazione\"\r\n0\r\n", 1},
        {"0\r\n\"File configurazione QuarnSoft\"\r\n", 1},
        // Header only, or no usable second line: Italian.
        {"\"File configurazione QuarnSoft\"", 0},
        {"\"File configurazione QuarnSoft\"\r\n", 0},
        {"\"File configurazione QuarnSoft\"\r\n\r\n1\r\n", 0},
        {"\"File configurazione QuarnSoft\"\r\nuno\r\n", 0},
        {"\"File configurazione QuarnSoft\"\r\n1x\r\n", 0},
        {"\"File configurazione QuarnSoft\"\r\n.\r\n", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lineOf(settingsFromText(c.bytes)), c.expected) << c.bytes;
    }
}

TEST(SettingsFile, LanguageLineIsRoundedHalfToEvenAndLimitedTo16Bits) {
    struct Case {
        const char* line;
        std::int16_t expected;
    };
    const Case cases[] = {
        {"1", 1},
        {" 7 ", 7},
        {"+3", 3},
        {"-1", -1},
        {"5,6", 5},
        {"\"1\"", 1},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"-3.5", -4},
        {"0.5", 0},
        {".5", 0},
        {"1.4999", 1},
        {"1.5000", 2},
        {"2.5000001", 3},
        {"2.", 2},
        {"32767", 32767},
        {"-32768", -32768},
        {"32768", 0},
        {"-32769", 0},
        {"32767.5", 0},
        {"32767.4", 32767},
        {"-32768.5", -32768},
        {"99999999999999999999", 0},
        {"000000000000000000001", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lineOf(settingsFromText(std::string(kHeaderLine) + c.line + "\r\n")), c.expected)
            << c.line;
    }
}

TEST(SettingsFile, FailedSaveKeepsThePreviousFileWhole) {
    TempDir dir;
    saveSettings(dir.str(), Language::Italian);
    // The temporary name is taken by a directory: the write cannot happen.
    fs::create_directory(dir.file("QuarnSoft.prm.new"));
    saveSettings(dir.str(), Language::English);
    EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(Language::Italian));
    EXPECT_TRUE(fs::is_directory(dir.file("QuarnSoft.prm.new")));
}

TEST(SettingsFile, DirectoryInPlaceOfTheFileIsLeftAlone) {
    TempDir dir;
    fs::create_directory(dir.file("QuarnSoft.prm"));
    EXPECT_EQ(loadSettings(dir.str()), Language::English);
    saveSettings(dir.str(), Language::Italian);
    EXPECT_TRUE(fs::is_directory(dir.file("QuarnSoft.prm")));
    EXPECT_FALSE(dir.exists("QuarnSoft.prm.new"));
}

TEST(SettingsFile, ReadOnlyDirectoryGetsNothingWritten) {
    if (!quarn::testing::permissionsBind()) {
        GTEST_SKIP() << "permissions do not bind this process";
    }
    TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    saveSettings(dir.str(), Language::Italian);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SettingsFile, ReadOnlyFileIsNeitherReplacedNorUnprotected) {
    TempDir dir;
    saveSettings(dir.str(), Language::Italian);
    const fs::path file = dir.file("QuarnSoft.prm");
    const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
    fs::permissions(file, readOnly);
    saveSettings(dir.str(), Language::English);
    EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(Language::Italian));
#if !defined(_WIN32)  // Windows keeps only the read-only attribute
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, readOnly);
#endif
    EXPECT_FALSE(dir.exists("QuarnSoft.prm.new"));

    // Once writable again it is saved as usual.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    saveSettings(dir.str(), Language::English);
    EXPECT_EQ(dir.read("QuarnSoft.prm"), settingsText(Language::English));
}

TEST(SettingsFile, SymbolicLinkStaysALinkAndItsFileIsReplacedWhereItLies) {
    if (!quarn::testing::symbolicLinksWork()) {
        GTEST_SKIP() << "this system makes no symbolic links";
    }
    TempDir dir;
    fs::create_directories(dir.file("app"));
    fs::create_directories(dir.file("kept"));
    const fs::path link = dir.file("app") / "QuarnSoft.prm";
    const fs::path stored = dir.file("kept") / "settings.prm";
    // A relative link, read from the link's own folder, through a second link.
    fs::create_symlink("../kept/settings.prm", dir.file("kept") / "current.prm");
    fs::create_symlink("../kept/current.prm", link);

    const std::string app = dir.file("app").string();
    saveSettings(app, Language::Italian);  // the file at the end does not exist yet
    EXPECT_EQ(dir.read("kept/settings.prm"), settingsText(Language::Italian));
    saveSettings(app, Language::English);
    EXPECT_EQ(dir.read("kept/settings.prm"), settingsText(Language::English));
    EXPECT_EQ(loadSettings(app), Language::English);

    EXPECT_EQ(fs::read_symlink(link), "../kept/current.prm");
    EXPECT_TRUE(fs::is_symlink(dir.file("kept") / "current.prm"));
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(stored)));
    for (const char* folder : {"app", "kept"}) {
        for (const auto& entry : fs::directory_iterator(dir.file(folder))) {
            EXPECT_NE(entry.path().extension(), ".new") << entry.path();
        }
    }
}

TEST(SettingsFile, LinkThatLoopsGetsNothingWritten) {
    if (!quarn::testing::symbolicLinksWork()) {
        GTEST_SKIP() << "this system makes no symbolic links";
    }
    TempDir dir;
    fs::create_symlink("QuarnSoft.prm", dir.file("QuarnSoft.prm"));
    EXPECT_EQ(loadSettings(dir.str()), Language::English);
    saveSettings(dir.str(), Language::Italian);
    EXPECT_TRUE(fs::is_symlink(dir.file("QuarnSoft.prm")));
    EXPECT_FALSE(dir.exists("QuarnSoft.prm.new"));
}

TEST(SettingsFile, RandomFilesOnlyEverGiveAFallbackOrTheirNumber) {
    TempDir dir;
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 80);
    const std::string alphabet = "0123456789+-., \t\"\r\nFx";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string bytes;
        const bool withHeader = round % 2 == 0;
        if (withHeader) {
            bytes = kHeaderLine;
        }
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            bytes += withHeader ? alphabet[pick(random)] : static_cast<char>(byte(random));
        }
        dir.write("QuarnSoft.prm", bytes);
        const Language language = loadSettings(dir.str());
        ASSERT_EQ(language, settingsFromText(bytes));
        if (!withHeader) {
            ASSERT_EQ(language, Language::English);  // random bytes never form the header
        }
    }
}

}  // namespace
}  // namespace quarn::app
