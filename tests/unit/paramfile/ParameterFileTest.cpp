// Writing and reading parameter files: every value of every parameter reads
// back as it was written, in the format's words and with a decimal point
// whatever the locale; a record outside its domains is refused rather than
// written; files on disk are read with their size checked first; the saved
// time carries the local offset.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <clocale>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <locale>
#include <sstream>
#include <string>

#include "paramfile/FileKeys.h"
#include "paramfile/LocalTime.h"
#include "paramfile/ParameterFile.h"
#include "support/FilePermissions.h"
#include "support/TempDir.h"
#include "unit/paramfile/ExampleFile.h"

namespace quarn::paramfile {
namespace {

using testing::exampleFile;
using testing::kExampleText;

TEST(ParameterFile, TheExampleIsWrittenAsDocumentedAndReadsBack) {
    const WriteResult written = writeParameterFile(exampleFile());
    ASSERT_TRUE(written.ok()) << written.error->message();
    EXPECT_EQ(written.text, kExampleText);

    std::ifstream docFile(QUARN_PARAMETER_FILE_DOC);
    std::stringstream doc;
    doc << docFile.rdbuf();
    EXPECT_NE(doc.str().find(kExampleText), std::string::npos) << "the documented example";

    // The same file on one line, as a script might write it.
    const ReadResult compact = readParameterFile(
        R"({"format": "quarnsoft-parameters", "version": 1, "saved": "2026-12-07T15:30:00+01:00",)"
        R"( "device": {"type": "0x0101", "serial": "A123456789", "hardware": "0x0102",)"
        R"( "firmware": "0x0200"}, "parameters": {"sensitivity": 5, "relay_on_time_s": 1.0,)"
        R"( "reaction_speed": "normal", "mains_filter": "50Hz", "high_traffic": false,)"
        R"( "installation_height_m": 2.30}})");
    ASSERT_TRUE(compact.ok()) << compact.error->message();
    EXPECT_EQ(compact.file, exampleFile());
}

TEST(ParameterFile, EveryValueOfEveryParameterReadsBackAsWritten) {
    struct Expected {
        sensor::Parameter parameter;
        std::vector<std::string> written;
    };
    const Expected expected[] = {
        {sensor::Parameter::Sensitivity, {"1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {sensor::Parameter::RelayOnTime,
         {"0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5"}},
        {sensor::Parameter::ReactionSpeed, {"\"slow\"", "\"normal\"", "\"fast\""}},
        {sensor::Parameter::MainsFilter, {"\"off\"", "\"50Hz\"", "\"60Hz\""}},
        {sensor::Parameter::HighTraffic, {"false", "true"}},
        {sensor::Parameter::InstallationHeight, {"2.30", "2.90", "3.50"}},
    };
    for (const Expected& domain : expected) {
        const std::size_t row = sensor::indexOf(domain.parameter);
        ASSERT_EQ(domain.written.size(), sensor::kParameterTable[row].itemCount);
        for (std::size_t i = 0; i < domain.written.size(); ++i) {
            ParameterFile file = exampleFile();
            file.listIndex[row] = static_cast<std::int16_t>(i);
            const WriteResult written = writeParameterFile(file);
            ASSERT_TRUE(written.ok()) << written.error->message();
            const std::string member =
                "\"" + std::string(kFileKeys[row].key) + "\": " + domain.written[i];
            EXPECT_NE(written.text.find(member), std::string::npos) << member;
            const ReadResult read = readParameterFile(written.text);
            ASSERT_TRUE(read.ok()) << read.error->message();
            EXPECT_EQ(read.file, file) << member;
        }
    }

    // A sensor without the height: the file leaves it out and reads back without it.
    ParameterFile older = exampleFile();
    older.device.firmwareVersion = 0x01FF;
    older.listIndex[sensor::indexOf(sensor::Parameter::InstallationHeight)].reset();
    const WriteResult written = writeParameterFile(older);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.text.find("installation_height_m"), std::string::npos);
    EXPECT_NE(written.text.find("\"firmware\": \"0x01FF\""), std::string::npos);
    EXPECT_EQ(readParameterFile(written.text).file, older);

    // Texts with quotes, backslashes, control characters and accents.
    ParameterFile odd = exampleFile();
    odd.device.serial = std::string("\"\\\x01\n\0\x1F\x7F", 7) + "\xC3\xA8\xE2\x82\xAC";
    odd.saved = "";
    const WriteResult oddText = writeParameterFile(odd);
    ASSERT_TRUE(oddText.ok()) << oddText.error->message();
    EXPECT_EQ(readParameterFile(oddText.text).file, odd) << oddText.text;
}

// A numeric locale with a decimal comma, for C++ streams and, where the
// system has one, for the C library too.
class CommaLocale {
  public:
    CommaLocale() : previous_(std::locale::global(std::locale(std::locale::classic(), new Comma))) {
        const char* before = std::setlocale(LC_NUMERIC, nullptr);
        previousC_ = before == nullptr ? "C" : before;
        for (const char* name : {"it_IT.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "it_IT", "de_DE"}) {
            if (std::setlocale(LC_NUMERIC, name) != nullptr) {
                break;
            }
        }
    }
    ~CommaLocale() {
        std::setlocale(LC_NUMERIC, previousC_.c_str());
        std::locale::global(previous_);
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

  private:
    struct Comma : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    std::locale previous_;
    std::string previousC_;
};

TEST(ParameterFile, NumbersKeepTheirPointInACommaLocale) {
    const CommaLocale comma;
    const WriteResult written = writeParameterFile(exampleFile());
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.text, kExampleText);
    const ReadResult read = readParameterFile(testing::exampleWith("1.0,", "3.5,"));
    ASSERT_TRUE(read.ok()) << read.error->message();
    EXPECT_EQ(read.file.listIndex[sensor::indexOf(sensor::Parameter::RelayOnTime)], 6);
    EXPECT_EQ(readParameterFile(testing::exampleWith("1.0,", "1.25,")).error->message(),
              "parameters.relay_on_time_s: 1.25 is not a step of 0.5");
}

TEST(ParameterFile, ARecordOutsideItsDomainsIsRefusedNotWritten) {
    struct Case {
        void (*change)(ParameterFile&) = nullptr;
        const char* message = nullptr;
    };
    const Case cases[] = {
        {[](ParameterFile& f) { f.listIndex[0].reset(); }, "parameters.sensitivity: missing"},
        {[](ParameterFile& f) { f.listIndex[0] = 9; },
         "parameters.sensitivity: list index 9 is outside 0 to 8"},
        {[](ParameterFile& f) { f.listIndex[4] = 2; },
         "parameters.high_traffic: list index 2 is outside 0 to 1"},
        {[](ParameterFile& f) { f.device.firmwareVersion = 0x01FF; },
         "parameters.installation_height_m: the sensor it was saved from (firmware 0x01FF) has no "
         "such parameter"},
        {[](ParameterFile& f) { f.device.type = 0x0102; },
         "device.type: 0x0102 is not the Zel sensor (0x0101)"},
        {[](ParameterFile& f) { f.device.hardwareVersion = 0x10000; },
         "device.hardware: 65536 is not a word from 0x0000 to 0xFFFF"},
        {[](ParameterFile& f) { f.device.serial = "A12\xFF"; }, "device.serial: not UTF-8"},
        {[](ParameterFile& f) { f.saved = std::string(65, '1'); },
         "saved: longer than 64 characters"},
    };
    for (const Case& c : cases) {
        ParameterFile file = exampleFile();
        c.change(file);
        const WriteResult written = writeParameterFile(file);
        ASSERT_FALSE(written.ok()) << c.message;
        EXPECT_EQ(written.error->message(), c.message);
        EXPECT_TRUE(written.text.empty()) << c.message;
    }
}

TEST(ParameterFile, FilesOnDiskAreSizedBeforeTheyAreRead) {
    const quarn::testing::TempDir dir;
    dir.write("backup.json", kExampleText);
    const ReadResult good = readParameterFileAt(dir.file("backup.json"));
    ASSERT_TRUE(good.ok()) << good.error->message();
    EXPECT_EQ(good.file, exampleFile());

    // A sparse 100 MB file: refused from its size, with no byte read.
    dir.write("huge.json", "");
    std::filesystem::resize_file(dir.file("huge.json"), 100'000'000);
    EXPECT_EQ(readParameterFileAt(dir.file("huge.json")).error->message(),
              "100000000 bytes, larger than 1048576 bytes, the most a parameter file may have");

    EXPECT_EQ(readParameterFileAt(dir.file("missing.json")).error->message(), "no such file");
    EXPECT_EQ(readParameterFileAt(dir.path()).error->message(), "a folder, not a file");
    if (quarn::testing::permissionsBind()) {  // root reads any file
        std::filesystem::permissions(dir.file("backup.json"), std::filesystem::perms::none);
        EXPECT_EQ(readParameterFileAt(dir.file("backup.json")).error->message(),
                  "cannot be opened: Permission denied");
    }
}

#if !defined(_WIN32)
// Runs with the TZ variable set to a POSIX time zone rule, then restores it.
class TimeZone {
  public:
    explicit TimeZone(const char* rule) {
        if (const char* before = ::getenv("TZ")) {
            previous_ = before;
        }
        ::setenv("TZ", rule, 1);
        ::tzset();
    }
    ~TimeZone() {
        if (previous_) {
            ::setenv("TZ", previous_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

  private:
    std::optional<std::string> previous_;
};

TEST(ParameterFile, TheSavedTimeIsLocalWithItsOffset) {
    using namespace std::chrono;
    const sys_seconds winter = sys_days{2026y / December / 7} + 14h + 30min;
    const sys_seconds summer = sys_days{2026y / July / 1} + 12h;
    struct Case {
        const char* zone = nullptr;
        system_clock::time_point utc;
        const char* local = nullptr;
    };
    const Case cases[] = {
        {"CET-1CEST,M3.5.0,M10.5.0/3", winter, "2026-12-07T15:30:00+01:00"},
        {"CET-1CEST,M3.5.0,M10.5.0/3", summer, "2026-07-01T14:00:00+02:00"},
        {"EST5EDT,M3.2.0,M11.1.0", winter, "2026-12-07T09:30:00-05:00"},
        {"IST-5:30", winter, "2026-12-07T20:00:00+05:30"},
        {"UTC0", winter + 999ms, "2026-12-07T14:30:00+00:00"},
    };
    for (const Case& c : cases) {
        const TimeZone zone(c.zone);
        EXPECT_EQ(isoLocalTime(c.utc), c.local) << c.zone;
    }
}
#endif  // POSIX time zone rules

}  // namespace
}  // namespace quarn::paramfile
