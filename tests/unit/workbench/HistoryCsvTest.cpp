// The CSV export: what each line holds, that numbers never take the user's
// comma, and that a failed export leaves the file under the name alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "paramfile/LocalTime.h"
#include "support/FilePermissions.h"
#include "support/TempDir.h"
#include "unit/workbench/HistoryRig.h"
#include "workbench/HistoryCsv.h"

namespace quarn::workbench {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class HistoryCsv : public ::testing::Test {
  protected:
    HistoryCsv() {
        rig.clock.advance(1000);
        rig.history.sensorWindowOpened();
        rig.clock.advance(50);
        rig.sample(0);
        rig.sample(12345, true);
        rig.sample(65535, true);
        rig.sample(7);
    }

    testing::HistoryRig rig;
    testing::TempDir dir;
};

TEST_F(HistoryCsv, HeaderThenOneLinePerSampleWithLocalTimeMillisecondsLevelAndAlarm) {
    rig.host.separator = ",";  // an Italian desktop: the file still uses points
    const std::vector<std::string> lines = linesOf(historyCsvText(rig.history));
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_EQ(lines[0], "time,ms_since_open,level,alarm");

    const std::regex shape(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}[+-]\d\d:\d\d,\d+,\d+,[01])");
    const char* const fields[] = {",50,0,0", ",100,12345,1", ",150,65535,1", ",200,7,0"};
    const char* const fractions[] = {".050", ".100", ".150", ".200"};
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string& line = lines[i + 1];
        EXPECT_TRUE(std::regex_match(line, shape)) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), ','), 3) << line;
        // The same local time as the parameter file writes, with the milliseconds.
        std::string time = paramfile::isoLocalTime(rig.history.at(i).wallClock);
        time.insert(19, fractions[i]);
        EXPECT_EQ(line, time + fields[i]);
    }
}

TEST_F(HistoryCsv, MillisecondsOfTimesBeforeTheEpochCountForward) {
    using namespace std::chrono;
    const auto when = sys_seconds{seconds{-2}} + milliseconds{250};  // 1.75 s before
    const std::string text = isoLocalTimeMs(when);
#if defined(_WIN32)
    // Windows' local time starts at 1970: no text rather than a wrong one.
    EXPECT_TRUE(text.empty()) << text;
    return;
#endif
    ASSERT_GE(text.size(), 23U);
    EXPECT_EQ(text.substr(19, 4), ".250");
    EXPECT_EQ(text.substr(0, 19), paramfile::isoLocalTime(when).substr(0, 19));
}

TEST_F(HistoryCsv, ExportWritesTheWholeFileAndReplacesAnOldOne) {
    dir.write("history.csv", "old contents");
    const std::string path = dir.file("history.csv").string();
    const CsvExportResult result = exportHistoryCsv(rig.history, path);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.sampleLines, 4U);
    EXPECT_EQ(dir.read("history.csv"), historyCsvText(rig.history));
    EXPECT_FALSE(dir.exists("history.csv.new"));
}

TEST_F(HistoryCsv, FailedExportLeavesTheOldFileAndNoHalfFile) {
    // A folder that does not exist.
    CsvExportResult result = exportHistoryCsv(rig.history, dir.file("missing/h.csv").string());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->failure, app::ReplaceFailure::NotWritten);
    EXPECT_EQ(result.sampleLines, 0U);

    // A folder under the name: written, but it cannot take the name.
    std::filesystem::create_directory(dir.file("taken.csv"));
    result = exportHistoryCsv(rig.history, dir.file("taken.csv").string());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error->failure, app::ReplaceFailure::NotReplaced);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.csv")));
    EXPECT_FALSE(dir.exists("taken.csv.new"));

    // A folder the technician may not write to, holding an earlier export.
    if (!testing::permissionsBind()) {
        GTEST_SKIP() << "permissions do not bind for this user";
    }
    std::filesystem::create_directory(dir.file("locked"));
    dir.write("locked/h.csv", "earlier export");
    std::filesystem::permissions(dir.file("locked"), std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::owner_exec);
    result = exportHistoryCsv(rig.history, dir.file("locked/h.csv").string());
    std::filesystem::permissions(dir.file("locked"), std::filesystem::perms::owner_all);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error->cause);
    EXPECT_EQ(dir.read("locked/h.csv"), "earlier export");
    EXPECT_FALSE(dir.exists("locked/h.csv.new"));
}

TEST_F(HistoryCsv, ATemporaryNameHeldByALinkIsNotWrittenThrough) {
    if (!testing::symbolicLinksWork()) {
        GTEST_SKIP() << "no symbolic links here";
    }
    dir.write("h.csv", "earlier export");
    dir.write("elsewhere.txt", "not ours");
    std::filesystem::create_symlink(dir.file("elsewhere.txt"), dir.file("h.csv.new"));
    const CsvExportResult result = exportHistoryCsv(rig.history, dir.file("h.csv").string());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(dir.read("h.csv"), "earlier export");
    EXPECT_EQ(dir.read("elsewhere.txt"), "not ours");
}

}  // namespace
}  // namespace quarn::workbench
