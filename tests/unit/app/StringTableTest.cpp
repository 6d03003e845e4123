#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <random>
#include <string>
#include <utility>

#include "app/StringTableFile.h"
#include "support/TempDir.h"

namespace quarn::app {
namespace {

using quarn::testing::TempDir;

StringTableEntries Parsed(std::string_view bytes, std::int16_t line, bool& ok) {
    StringTableEntries table;
    ok = parseStringTable(bytes, languageAtLine(line), table);
    return table;
}

StringTableEntries Parsed(std::string_view bytes, std::int16_t line) {
    bool ok = false;
    StringTableEntries table = Parsed(bytes, line, ok);
    EXPECT_TRUE(ok) << bytes;
    return table;
}

bool Accepted(std::string_view bytes, std::int16_t line = 0) {
    StringTableEntries table;
    return parseStringTable(bytes, languageAtLine(line), table);
}

TEST(StringTable, EachLanguageTakesItsLineOfEveryEntry) {
    const std::string file = "#STRING 11\r\nEsci\r\nExit\r\n#STRING 12\r\nLingua\r\nLanguage\r\n";
    EXPECT_EQ(Parsed(file, 0)[11], "Esci");
    EXPECT_EQ(Parsed(file, 0)[12], "Lingua");
    EXPECT_EQ(Parsed(file, 1)[11], "Exit");
    EXPECT_EQ(Parsed(file, 1)[12], "Language");
    // Language 2 with two lines per entry, or a negative language: nothing.
    EXPECT_EQ(Parsed(file, 2), StringTableEntries{});
    EXPECT_EQ(Parsed(file, -1), StringTableEntries{});
}

TEST(StringTable, LineEndsAreCrLfOrLoneCrButNotLoneLf) {
    EXPECT_EQ(Parsed("#STRING 3\rA\rB", 1)[3], "B");
    EXPECT_EQ(Parsed("#STRING 3\r\nA\nB\r\nC\r\n", 0)[3], "A\nB");
    EXPECT_EQ(Parsed("#STRING 3\r\nA\nB\r\nC\r\n", 1)[3], "C");
    // Blank lines count as (empty) texts.
    EXPECT_EQ(Parsed("#STRING 3\r\n\r\nX\r\n", 1)[3], "X");
    // With line feeds only the whole file is one marker line: not a number.
    EXPECT_FALSE(Accepted("#STRING 11\nEsci\nExit\n"));
}

TEST(StringTable, MarkerNumbersAndWhereTheirTextsGo) {
    EXPECT_EQ(Parsed("#STRING20\r\nA\r\n", 0)[20], "A");
    EXPECT_EQ(Parsed("#STRING \t 20 \t\r\nA\r\n", 0)[20], "A");
    EXPECT_EQ(Parsed("#STRING +20\r\nA\r\n", 0)[20], "A");
    EXPECT_EQ(Parsed("#STRING 250\r\nA\r\n", 0)[200], "A");
    EXPECT_EQ(Parsed("#STRING 32767\r\nA\r\n", 0)[200], "A");
    // Lines before the first marker belong to entry 0.
    EXPECT_EQ(Parsed("Zero\r\nZero-en\r\n#STRING 5\r\nCinque\r\n", 1)[0], "Zero-en");
    // A later marker with the same number overwrites.
    EXPECT_EQ(Parsed("#STRING 7\r\nA\r\n#STRING 7\r\nB\r\n", 0)[7], "B");
    // Only the upper-case marker at the very start of a line counts.
    const auto table = Parsed("#STRING 5\r\nA\r\n#string 12\r\n #STRING 13\r\n", 1);
    EXPECT_EQ(table[5], "#string 12");
    EXPECT_EQ(table[12], "");
    EXPECT_EQ(table[13], "");
    EXPECT_EQ(Parsed("#STRING 5\r\nA\r\n#string 12\r\n #STRING 13\r\n", 2)[5], " #STRING 13");
}

TEST(StringTable, MalformedMarkersAreRefused) {
    for (const char* marker : {"#STRING", "#STRING ", "#STRING x", "#STRING 1.5", "#STRING 1 2",
                               "#STRING 32768", "#STRING -32769", "#STRINGS 5", "#STRING 5;"}) {
        EXPECT_FALSE(Accepted(std::string(marker) + "\r\nA\r\n")) << marker;
    }
}

TEST(StringTable, NegativeEntryFailsOnlyWhenItHasALineForTheLanguage) {
    EXPECT_FALSE(Accepted("#STRING -1\r\nA\r\n", 0));
    EXPECT_FALSE(Accepted("#STRING -1\r\nA\r\nB\r\n", 1));
    EXPECT_TRUE(Accepted("#STRING -1\r\nA\r\n", 1));
    EXPECT_TRUE(Accepted("#STRING -1\r\n#STRING 3\r\nA\r\n", 0));
}

TEST(StringTable, At32768TextLinesAfterOneMarkerTheFileIsRefused) {
    std::string file = "#STRING 9\r\n";
    for (int i = 0; i < 32767; ++i) {
        file += "x\r\n";
    }
    EXPECT_TRUE(Accepted(file, 32766));
    EXPECT_EQ(Parsed(file, 1)[9], "x");
    EXPECT_FALSE(Accepted(file + "x\r\n", 0));
    // The count starts again at each marker.
    EXPECT_TRUE(Accepted(file + "#STRING 10\r\nx\r\n", 0));
    // Lines before the first marker are counted the same way.
    EXPECT_FALSE(Accepted(file.substr(11) + "x\r\n", 0));
}

TEST(StringTable, EntriesNotInTheFileKeepTheirText) {
    StringTableEntries table;
    table[40] = "Solo italiano";
    table[41] = "Vecchio";
    ASSERT_TRUE(parseStringTable("#STRING 40\r\nSolo italiano\r\n#STRING 41\r\nNuovo\r\nNew\r\n",
                                 Language::English, table));
    EXPECT_EQ(table[40], "Solo italiano");
    EXPECT_EQ(table[41], "New");
}

TEST(StringTable, RefusedFileLeavesTheTableAsItWas) {
    StringTableEntries table;
    table[11] = "&Exit";
    EXPECT_FALSE(parseStringTable("#STRING 11\r\nEsci\r\n#STRING\r\n", Language::Italian, table));
    EXPECT_EQ(table[11], "&Exit");
}

TEST(StringTable, TextsAreDecodedFromWindows1252) {
    const auto table = Parsed("#STRING 57\r\nSensibilit\xE0\r\n\x80 \x93q\x94\r\n", 0);
    EXPECT_EQ(table[57], "Sensibilit\xC3\xA0");
    EXPECT_EQ(Parsed("#STRING 57\r\nx\r\n\x80 \x93q\x94\r\n", 1)[57],
              "\xE2\x82\xAC \xE2\x80\x9Cq\xE2\x80\x9D");
}

TEST(StringTableFile, MissingUnreadableOrOversizedFileIsRefused) {
    TempDir dir;
    StringTableEntries table;
    EXPECT_FALSE(loadStringTable(dir.str(), Language::Italian, table));
    std::filesystem::create_directory(dir.file("StringTable.txt"));
    EXPECT_FALSE(loadStringTable(dir.str(), Language::Italian, table));
    std::filesystem::remove(dir.file("StringTable.txt"));
    dir.write("StringTable.txt", "#STRING 1\r\nUno\r\n");
    EXPECT_TRUE(loadStringTable(dir.str(), Language::Italian, table));
    EXPECT_EQ(table[1], "Uno");
    // A file far larger than any table is not read into memory.
    std::filesystem::resize_file(dir.file("StringTable.txt"), 65 * 1024 * 1024);
    EXPECT_FALSE(loadStringTable(dir.str(), Language::Italian, table));
    EXPECT_EQ(table[1], "Uno");
}

TEST(StringTableFile, DeliveredTableHasBothLanguagesForEveryEntryInUse) {
    const std::filesystem::path delivered = QUARN_STRING_TABLE_SOURCE;
    const std::string dir = delivered.parent_path().string();
    StringTableEntries italian;
    StringTableEntries english;
    ASSERT_TRUE(loadStringTable(dir, Language::Italian, italian));
    ASSERT_TRUE(loadStringTable(dir, Language::English, english));
    const int inUse[] = {0,  1,  11, 12, 13, 14, 20, 21, 22, 23, 30, 31, 32, 33, 50,
                         51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64};
    for (int entry : inUse) {
        EXPECT_FALSE(italian[entry].empty()) << entry;
        EXPECT_FALSE(english[entry].empty()) << entry;
    }
    EXPECT_EQ(english[11], "&Exit");
    EXPECT_EQ(italian[57], "Sensibilit\xC3\xA0");  // a real Windows-1252 byte in the file
    EXPECT_EQ(english[62], "Installation height");
    EXPECT_EQ(italian[33], english[33]);  // the model name is the same in both
    // No third language, and nothing beyond the entries in use.
    StringTableEntries third;
    ASSERT_TRUE(loadStringTable(dir, languageAtLine(2), third));
    EXPECT_EQ(third, StringTableEntries{});
}

// The key that Alt (or, inside an open menu, the key alone) pairs with a
// menu caption: the letter after a single '&', in upper case; 0 for none.
char mnemonicOf(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (caption[i + 1] != '&') {
                return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
            }
            ++i;  // "&&" shows one '&'
        }
    }
    return 0;
}

TEST(StringTableFile, EveryMenuItemOfTheDeliveredTableHasAKeyOfItsOwn) {
    const std::string dir = std::filesystem::path(QUARN_STRING_TABLE_SOURCE).parent_path().string();
    for (const Language language : {Language::Italian, Language::English}) {
        StringTableEntries texts;
        ASSERT_TRUE(loadStringTable(dir, language, texts));
        // The menu bar (Exit, Language; "?" has none), then the Language menu.
        for (const auto& [first, second] : {std::pair{11, 12}, std::pair{13, 14}}) {
            const char firstKey = mnemonicOf(texts[first]);
            EXPECT_NE(firstKey, 0) << texts[first];
            EXPECT_NE(mnemonicOf(texts[second]), 0) << texts[second];
            EXPECT_NE(firstKey, mnemonicOf(texts[second]))
                << texts[first] << " and " << texts[second] << " share a key";
        }
    }
}

// Random bytes, and random mixtures of the file's own pieces, never crash
// the reader; a refused file never changes the table.
TEST(StringTable, RandomFilesNeverCrashTheReader) {
    std::mt19937 random(7321);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> length(0, 400);
    std::uniform_int_distribution<int> language(-2, 3);
    const std::string pieces[] = {"#STRING", " ",     "\t", "\r", "\n",   "\r\n", "-",      "1",
                                  "200",     "99999", "12", "x",  "\x80", "\xE0", "#string"};
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    StringTableEntries before;
    before[0] = "keep";
    for (int round = 0; round < 4000; ++round) {
        std::string bytes;
        const int n = length(random);
        for (int i = 0; i < n; ++i) {
            if (round % 2 == 0) {
                bytes += static_cast<char>(byte(random));
            } else {
                bytes += pieces[pick(random)];
            }
        }
        StringTableEntries table = before;
        if (!parseStringTable(bytes, languageAtLine(static_cast<std::int16_t>(language(random))),
                              table)) {
            ASSERT_EQ(table, before);
        }
    }
    // A few of them through the file as well.
    TempDir dir;
    for (int round = 0; round < 200; ++round) {
        std::string bytes;
        const int n = length(random) * 10;
        for (int i = 0; i < n; ++i) {
            bytes += static_cast<char>(byte(random));
        }
        dir.write("StringTable.txt", bytes);
        StringTableEntries table;
        StringTableEntries fromBytes;
        ASSERT_EQ(loadStringTable(dir.str(), Language::English, table),
                  parseStringTable(bytes, Language::English, fromBytes));
    }
}

}  // namespace
}  // namespace quarn::app
