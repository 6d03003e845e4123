// Reading files that were edited, made up or damaged: each is refused with
// the first bad field and what is wrong with it, the values at the edges of
// each domain read as they should, and nothing a file holds (depth, size,
// bytes, numbers) can break the reader.

#include <gtest/gtest.h>

#include <string>

#include "paramfile/ParameterFile.h"
#include "unit/paramfile/ExampleFile.h"

namespace quarn::paramfile {
namespace {

using testing::exampleWith;
using testing::kExampleText;

struct Refused {
    std::string text;
    std::string message;
};

TEST(HostileFile, EachIsRefusedNamingItsFirstBadField) {
    const Refused cases[] = {
        // Outside a domain, or not of its type.
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 10"),
         "parameters.sensitivity: 10 is outside 1 to 9"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": -0"),
         "parameters.sensitivity: 0 is outside 1 to 9"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 5.5"),
         "parameters.sensitivity: 5.5 is not a whole number"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": \"5\""),
         "parameters.sensitivity: expected a whole number from 1 to 9"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 18446744073709551616"),
         "parameters.sensitivity: 18446744073709551616 is outside 1 to 9"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 1e400"),
         "parameters.sensitivity: 1e400 is too large a number"},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 1" + std::string(400, '0')),
         "parameters.sensitivity: 100000000000000000000... is too large a number"},
        {exampleWith("1.0,", "1.2,"), "parameters.relay_on_time_s: 1.2 is not a step of 0.5"},
        {exampleWith("1.0,", "0.0,"), "parameters.relay_on_time_s: 0.0 is outside 0.5 to 4.5"},
        {exampleWith("1.0,", "5.0,"), "parameters.relay_on_time_s: 5.0 is outside 0.5 to 4.5"},
        {exampleWith("1.0,", "null,"),
         "parameters.relay_on_time_s: expected seconds from 0.5 to 4.5 in steps of 0.5"},
        {exampleWith("\"normal\"", "\"Normal\""),
         "parameters.reaction_speed: expected one of slow, normal, fast"},
        {exampleWith("\"50Hz\"", "50"), "parameters.mains_filter: expected one of off, 50Hz, 60Hz"},
        {exampleWith("false", "0"), "parameters.high_traffic: expected true or false"},
        {exampleWith("2.30", "2.6"),
         "parameters.installation_height_m: 2.6 is not one of 2.30, 2.90, 3.50"},
        {exampleWith("2.30", "2.31"),
         "parameters.installation_height_m: 2.31 is not one of 2.30, 2.90, 3.50"},
        {exampleWith("\"0x0200\"", "\"0x01FF\""),
         "parameters.installation_height_m: the sensor it was saved from (firmware 0x01FF) has "
         "no such parameter"},
        {exampleWith("\"sensitivity\": 5,\n", ""), "parameters.sensitivity: missing"},
        {exampleWith("\"sensitivity\": 5,", "\"sensitivity\": 5, \"sensitivity\": 5,"),
         "parameters.sensitivity: given twice"},
        {exampleWith("\"parameters\": {", "\"parameters\": 1, \"ignored\": {"),
         "parameters: expected an object"},
        // The file and the device.
        {exampleWith("quarnsoft-parameters", "quarnsoft-capture"),
         "format: expected \"quarnsoft-parameters\""},
        {exampleWith("\"version\": 1", "\"version\": 2"), "version: 2 is not supported"},
        {exampleWith("\"version\": 1", "\"version\": \"1\""), "version: expected a number"},
        {exampleWith("\"saved\": \"2026-12-07T15:30:00+01:00\"", "\"saved\": 20261207"),
         "saved: expected a text"},
        {exampleWith("\"0x0101\"", "\"0x0102\""),
         "device.type: 0x0102 is not the Zel sensor (0x0101)"},
        {exampleWith("\"0x0200\"", "\"0x200\""),
         "device.firmware: expected \"0x\" and four hexadecimal digits, like \"0x0200\""},
        {exampleWith("A123456789", "A1234567890"), "device.serial: longer than 10 characters"},
        {exampleWith("\"device\": {", "\"gadget\": {"), "device: missing"},
        // The first bad field in the order the file is written, wherever it
        // stands in the text; the text must be JSON before any field counts.
        {"{\"parameters\": {\"sensitivity\": 0}, \"format\": \"other\"}",
         "format: expected \"quarnsoft-parameters\""},
        {exampleWith({{"\"sensitivity\": 5", "\"sensitivity\": 0"}, {"\"0x0101\"", "\"0x0102\""}}),
         "device.type: 0x0102 is not the Zel sensor (0x0101)"},
        {exampleWith({{"\"50Hz\"", "\"50 Hz\""},
                      {"false", "0"},
                      {"\"sensitivity\": 5", "\"sensitivity\": 0"}}),
         "parameters.sensitivity: 0 is outside 1 to 9"},
        {exampleWith("\"version\": 1", "\"version\": 2") + "x",
         "not JSON: syntax error at line 20, column 1"},
        // Not a parameter file, not JSON, not text.
        {"", "the file is empty"},
        {"[]", "not a parameter file: the text is not a JSON object"},
        {"\"quarnsoft-parameters\"", "not a parameter file: the text is not a JSON object"},
        {kExampleText.substr(0, 200), "not JSON: the text ends too soon"},
        {"{\"format\": x}", "not JSON: syntax error at line 1, column 12"},
        {"{\n  \"format\": \"caf\xC3\xA8\" 'x'}", "not JSON: syntax error at line 2, column 20"},
        {"{\"format\": \"\xC3\x28\"}", "not UTF-8 at line 1, column 13"},
        {"{\n\"a\":\"\xF8\x88\x80\x80\x80\"}", "not UTF-8 at line 2, column 6"},
        {std::string("{\"format\":\0}", 12), "a NUL character at line 1, column 11"},
        {std::string("{\"format\":\"\0\"}", 14), "a NUL character at line 1, column 12"},
        {"{\"format\": \"\\ud800\"}", "not JSON: syntax error at line 1, column 19"},
        {"{\"a\": [1e999]}", "1e999 is too large a number at line 1, column 12"},
        {"[" + std::string(kMaxFileBytes, ' ') + "]",
         "larger than 1048576 bytes, the most a parameter file may have"},
    };
    for (const Refused& c : cases) {
        const ReadResult read = readParameterFile(c.text);
        ASSERT_FALSE(read.ok()) << c.message;
        EXPECT_EQ(read.error->message(), c.message) << c.text.substr(0, 400);
        EXPECT_EQ(read.file, ParameterFile()) << c.message;
    }
}

TEST(HostileFile, DeepNestingIsRefusedWithoutRecursion) {
    const std::size_t kDepth = 100'000;
    const std::string arrays = std::string(kDepth, '[') + std::string(kDepth, ']');
    const std::string objects = [&] {
        std::string text;
        for (std::size_t i = 0; i < kDepth; ++i) {
            text += "{\"a\":";
        }
        return text + "1" + std::string(kDepth, '}');
    }();
    const std::string deep = "objects and arrays nested deeper than 32 levels";
    EXPECT_EQ(readParameterFile(arrays).error->message(), deep);
    EXPECT_EQ(readParameterFile(objects).error->message(), deep);
    EXPECT_EQ(
        readParameterFile(exampleWith("\"sensitivity\"", "\"x\": " + arrays + ", \"sensitivity\""))
            .error->message(),
        deep);
    EXPECT_EQ(readParameterFile(std::string(kDepth, '[')).error->message(), deep);

    // Up to the limit, content the format does not know is ignored.
    const ReadResult limit = readParameterFile(
        exampleWith("\"sensitivity\"",
                    "\"x\": " + std::string(30, '[') + std::string(30, ']') + ", \"sensitivity\""));
    ASSERT_TRUE(limit.ok()) << limit.error->message();
}

TEST(HostileFile, WhatAFileMayHoldReadsAsItMeans) {
    struct Accepted {
        std::string text;
        sensor::Parameter parameter;
        std::optional<std::int16_t> index;
    };
    const auto height = sensor::Parameter::InstallationHeight;
    const Accepted cases[] = {
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 5.0"), sensor::Parameter::Sensitivity,
         4},
        {exampleWith("\"sensitivity\": 5", "\"sensitivity\": 1"), sensor::Parameter::Sensitivity,
         0},
        {exampleWith("1.0,", "1,"), sensor::Parameter::RelayOnTime, 1},
        {exampleWith("1.0,", "0.5,"), sensor::Parameter::RelayOnTime, 0},
        {exampleWith("false", "true"), sensor::Parameter::HighTraffic, 1},
        {exampleWith("2.30", "2.3"), height, 0},
        {exampleWith("2.30", "2.304"), height, 0},
        {exampleWith("2.30", "3.5"), height, 2},
        {exampleWith("2.30", "350e-2"), height, 2},
        {exampleWith(",\n    \"installation_height_m\": 2.30", ""), height, std::nullopt},
        // Keys the format does not know, anywhere; a byte-order mark; a
        // lower-case word; a serial with escapes.
        {exampleWith("\"format\"", "\"note\": {\"sensitivity\": 10}, \"format\""),
         sensor::Parameter::Sensitivity, 4},
        {exampleWith("\"sensitivity\"", "\"colour\": [\"red\", null], \"sensitivity\""),
         sensor::Parameter::Sensitivity, 4},
        {"\xEF\xBB\xBF" + kExampleText, sensor::Parameter::Sensitivity, 4},
        {exampleWith("\"0x0102\"", "\"0xabCD\""), sensor::Parameter::Sensitivity, 4},
        {exampleWith("A123456789", "\\u0000\\\"\\u00e8\\n"), sensor::Parameter::Sensitivity, 4},
    };
    for (const Accepted& c : cases) {
        const ReadResult read = readParameterFile(c.text);
        ASSERT_TRUE(read.ok()) << read.error->message() << "\n" << c.text;
        EXPECT_EQ(read.file.listIndex[sensor::indexOf(c.parameter)], c.index) << c.text;
    }
    EXPECT_EQ(readParameterFile(cases[std::size(cases) - 2].text).file.device.hardwareVersion,
              0xABCD);
    EXPECT_EQ(readParameterFile(cases[std::size(cases) - 1].text).file.device.serial,
              std::string("\0\"\xC3\xA8\n", 5));
}

}  // namespace
}  // namespace quarn::paramfile
