#pragma once
// A parameter file: the parameters of one sensor saved as a small UTF-8
// JSON text, with the sensor they were read from and when. The GUI's backup
// and restore and the command-line tool read and write it through these
// functions. A file comes from anywhere (another machine, an editor, a
// script), so reading checks every field and names the first bad one;
// writing refuses a record whose values the reader would refuse. Nothing
// here throws. docs/parameter-file.md describes the format.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "link/DeviceIdentity.h"
#include "sensor/ParameterTable.h"

namespace quarn::paramfile {

inline constexpr std::string_view kFormatName = "quarnsoft-parameters";
inline constexpr std::int64_t kFormatVersion = 1;

// A longer text is refused before it is parsed; a parameter file is under
// a kilobyte.
inline constexpr std::size_t kMaxFileBytes = std::size_t{1024} * 1024;
// Objects and arrays nested deeper are refused; the file itself needs two
// levels, the rest leaves room for keys a later version may add.
inline constexpr std::size_t kMaxNesting = 32;
// Characters of the serial number (the sensor reports ten) and of the time
// the file was saved.
inline constexpr std::size_t kMaxSerialLength = 10;
inline constexpr std::size_t kMaxSavedLength = 64;

// One list index for each row of the parameter table, as the sensor
// window's lists hold them; nothing where there is no value.
using ListIndices = std::array<std::optional<std::int16_t>, sensor::kParameterCount>;

struct ParameterFile {
    link::DeviceIdentity device;  // the sensor the parameters were saved from
    std::string saved;            // when, in ISO 8601 with the offset from UTC
    ListIndices listIndex;        // nothing for a height the file does not give
};

bool operator==(const ParameterFile& a, const ParameterFile& b);

// What is wrong with a file or a record: the first bad field and why.
struct FileError {
    std::string field;  // dotted path, "parameters.sensitivity"; empty for the text as a whole
    std::string problem;

    // "parameters.sensitivity: 10 is outside 1 to 9", or the problem alone.
    std::string message() const;
};

struct ReadResult {
    ParameterFile file;  // empty when there is an error
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }
};

struct WriteResult {
    std::string text;  // empty when there is an error
    std::optional<FileError> error;

    bool ok() const { return !error.has_value(); }
};

// The file's text: keys in a fixed order, two-space indentation, a newline
// at the end, numbers with a decimal point whatever the locale. The height
// is written when the record holds one. A record with a value outside its
// domain (an index outside its list, a height for a sensor without one,
// another device, an over-long serial or time, text that is not UTF-8) is
// a mistake of the caller and gives the error instead of a text.
WriteResult writeParameterFile(const ParameterFile& file);

// The record's `device` and `parameters` objects with the file's keys and
// values, as one line of JSON without spaces and without a line end:
// {"device":{...},"parameters":{...}}. For a program's output; a record
// the file writer would refuse gives the same error.
WriteResult writeDeviceAndParameters(const ParameterFile& file);

// A text as a JSON string, quotes included, escaped as the writer escapes.
std::string jsonStringText(std::string_view text);

// Reads a file's text. Keys the format does not know are ignored; a key
// given twice, a value outside its domain, text that is not UTF-8 or JSON,
// a text longer than kMaxFileBytes or nested deeper than kMaxNesting is
// refused.
ReadResult readParameterFile(std::string_view text);

// Reads the file at the path. A file larger than kMaxFileBytes is refused
// before it is read, and one that cannot be read is reported; the messages
// leave the path to the caller.
ReadResult readParameterFileAt(const std::filesystem::path& path);

}  // namespace quarn::paramfile
