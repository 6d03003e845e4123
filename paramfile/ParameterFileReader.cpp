// Reads a parameter file in two steps. The JSON parser walks the text and
// hands each value to a collector, which keeps only the values of the
// fields the format knows and never builds the rest; it stops the parse at a
// key given twice or at nesting deeper than kMaxNesting (the parser itself
// does not recurse, so a deep text cannot exhaust the stack). Then the
// fields are checked in the order the writer writes them, and the first bad
// one is named.

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <map>
#include <system_error>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "paramfile/FileDomain.h"
#include "paramfile/FileKeys.h"
#include "paramfile/ParameterFile.h"
#include "platform/Utf8.h"

namespace quarn::paramfile {
namespace {

using Json = nlohmann::json;
using Problem = std::optional<FileError>;

// A number is echoed in a message up to this many characters.
constexpr std::size_t kLongestEchoedNumber = 24;
// A height within this many metres of a listed height is that height: 2.3
// and 2.30 alike, while the nearest other height is 0.6 away.
constexpr double kHeightTolerance = 0.005;

constexpr std::array<std::string_view, 5> kTopKeys = {"format", "version", "saved", "device",
                                                      "parameters"};
constexpr std::array<std::string_view, 4> kDeviceKeys = {"type", "serial", "hardware", "firmware"};

enum class Kind { Null, Boolean, Number, String, Object, Array };

// The value of one field as the text gave it.
struct FieldValue {
    Kind kind = Kind::Null;
    bool truth = false;
    double number = 0;
    std::string text;  // a string's text, or a number as messages show it
};

// A number as the text wrote it. The parser hands a fraction's literal with
// the locale's decimal separator in place of the point; a JSON number holds
// no other character outside digits, signs and exponent marks.
std::string writtenNumber(std::string literal) {
    for (char& c : literal) {
        if (std::string_view("0123456789+-eE").find(c) == std::string_view::npos) {
            c = '.';
        }
    }
    return literal;
}

std::string echoedNumber(std::string_view literal) {
    if (literal.size() <= kLongestEchoedNumber) {
        return std::string(literal);
    }
    return std::string(literal.substr(0, kLongestEchoedNumber - 3)) + "...";
}

// "line 3, column 7" for a byte offset into the text; columns count characters.
std::string placeOf(std::string_view text, std::size_t offset) {
    const std::string_view before = text.substr(0, std::min(offset, text.size()));
    const std::size_t lineStart = before.rfind('\n') + 1;  // npos + 1 is 0
    const auto line = 1 + std::count(before.begin(), before.end(), '\n');
    return "line " + std::to_string(line) + ", column " +
           std::to_string(utf8Length(before.substr(lineStart)) + 1);
}

std::string tooLarge() {
    return "larger than " + std::to_string(kMaxFileBytes) +
           " bytes, the most a parameter file may have";
}

// Whether `key` in the object at `objectPath` is a field the format knows.
bool knownField(std::string_view objectPath, std::string_view key) {
    const auto among = [key](const auto& keys) {
        return std::find(keys.begin(), keys.end(), key) != keys.end();
    };
    if (objectPath.empty()) {
        return among(kTopKeys);
    }
    if (objectPath == "device") {
        return among(kDeviceKeys);
    }
    return objectPath == "parameters" &&
           std::any_of(kFileKeys.begin(), kFileKeys.end(),
                       [key](const FileKey& fileKey) { return fileKey.key == key; });
}

// The objects whose members are fields: the text's top object, device and parameters.
bool readsMembers(std::string_view path) {
    return path.empty() || path == "device" || path == "parameters";
}

// Receives the parser's values and keeps those of the known fields, keyed
// by dotted path; the kind of the top value is kept apart.
class FieldCollector final : public nlohmann::json_sax<Json> {
  public:
    explicit FieldCollector(std::string_view text) : text_(text) {}

    bool null() override {
        return keep(Kind::Null, [](FieldValue&) {});
    }
    bool boolean(bool value) override {
        return keep(Kind::Boolean, [value](FieldValue& field) { field.truth = value; });
    }
    bool number_integer(number_integer_t value) override {
        return number(static_cast<double>(value), std::to_string(value));
    }
    bool number_unsigned(number_unsigned_t value) override {
        return number(static_cast<double>(value), std::to_string(value));
    }
    bool number_float(number_float_t value, const string_t& literal) override {
        return number(value, writtenNumber(literal));
    }
    bool string(string_t& value) override {
        return keep(Kind::String, [&value](FieldValue& field) { field.text = std::move(value); });
    }
    bool binary(binary_t& /*value*/) override { return false; }  // not part of a JSON text
    bool start_object(std::size_t /*elements*/) override { return open(Kind::Object); }
    bool key(string_t& name) override {
        Level& object = levels_.back();
        if (object.readsMembers) {
            object.key = std::move(name);
        }
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t /*elements*/) override { return open(Kind::Array); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override;

    const std::optional<FileError>& error() const { return error_; }
    Kind topKind() const { return topKind_; }
    const FieldValue* find(std::string_view path) const {
        const auto found = fields_.find(path);
        return found == fields_.end() ? nullptr : &found->second;
    }

  private:
    struct Level {
        std::string path;
        bool readsMembers = false;
        std::string key;  // the member whose value comes next
    };

    // The path of the value that starts now when it is a known field ("" for
    // the top value); nothing for a value the format does not read.
    std::optional<std::string> nextField() const {
        if (levels_.empty()) {
            return std::string();
        }
        const Level& parent = levels_.back();
        if (!parent.readsMembers || !knownField(parent.path, parent.key)) {
            return std::nullopt;
        }
        return parent.path.empty() ? parent.key : parent.path + "." + parent.key;
    }

    template <typename Fill>
    bool keep(Kind kind, Fill fill) {
        const std::optional<std::string> path = nextField();
        if (!path) {
            return true;
        }
        if (path->empty()) {
            topKind_ = kind;
            return true;
        }
        FieldValue value;
        value.kind = kind;
        fill(value);
        if (!fields_.emplace(*path, std::move(value)).second) {
            error_ = FileError{*path, "given twice"};
            return false;
        }
        return true;
    }

    bool number(double value, std::string text) {
        return keep(Kind::Number, [&](FieldValue& field) {
            field.number = value;
            field.text = std::move(text);
        });
    }

    bool open(Kind kind) {
        if (levels_.size() >= kMaxNesting) {
            error_ = FileError{"", "objects and arrays nested deeper than " +
                                       std::to_string(kMaxNesting) + " levels"};
            return false;
        }
        const std::optional<std::string> path = nextField();
        if (!keep(kind, [](FieldValue&) {})) {
            return false;
        }
        Level level;
        level.readsMembers = kind == Kind::Object && path && readsMembers(*path);
        if (level.readsMembers) {
            level.path = *path;
        }
        levels_.push_back(std::move(level));
        return true;
    }

    bool close() {
        levels_.pop_back();
        return true;
    }

    std::string_view text_;
    std::vector<Level> levels_;
    std::map<std::string, FieldValue, std::less<>> fields_;
    Kind topKind_ = Kind::Null;
    std::optional<FileError> error_;
};

bool FieldCollector::parse_error(std::size_t position, const std::string& lastToken,
                                 const nlohmann::detail::exception& error) {
    // The parser counts the byte it failed on as read; past the end when the
    // text stopped short.
    const std::size_t offset = position == 0 ? 0 : position - 1;
    constexpr int kNumberOverflow = 406;
    if (error.id == kNumberOverflow) {
        const std::optional<std::string> path = nextField();
        const std::string problem = echoedNumber(lastToken) + " is too large a number";
        if (path && !path->empty()) {
            error_ = FileError{*path, problem};
        } else {
            error_ = FileError{"", problem + " at " + placeOf(text_, offset)};
        }
    } else if (offset >= text_.size()) {
        error_ = FileError{"", "not JSON: the text ends too soon"};
    } else {
        error_ = FileError{"", "not JSON: syntax error at " + placeOf(text_, offset)};
    }
    return false;
}

// Checks of the text as a whole before it is parsed: the parser would
// refuse a NUL or a byte that is not UTF-8 too, but not say so.
Problem wholeTextProblem(std::string_view text) {
    if (text.size() > kMaxFileBytes) {
        return FileError{"", tooLarge()};
    }
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return FileError{"", "the file is empty"};
    }
    if (const std::size_t bad = firstNonUtf8(text); bad != std::string_view::npos) {
        return FileError{"", "not UTF-8 at " + placeOf(text, bad)};
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return FileError{"", "a NUL character at " + placeOf(text, nul)};
    }
    return std::nullopt;
}

FileError missing(std::string field) {
    return {std::move(field), "missing"};
}

// Reads the checked fields into a record, or names the first bad one.
class FieldReader {
  public:
    explicit FieldReader(const FieldCollector& fields) : fields_(fields) {}

    Problem read(ParameterFile& file) const {
        if (fields_.topKind() != Kind::Object) {
            return FileError{"", "not a parameter file: the text is not a JSON object"};
        }
        const FieldValue* format = fields_.find("format");
        if (format == nullptr || format->kind != Kind::String || format->text != kFormatName) {
            return FileError{"format", "expected \"" + std::string(kFormatName) + "\""};
        }
        if (Problem problem = readVersion()) {
            return problem;
        }
        if (Problem problem = readText("saved", kMaxSavedLength, file.saved)) {
            return problem;
        }
        if (Problem problem = readDevice(file.device)) {
            return problem;
        }
        if (Problem problem = requireObject("parameters")) {
            return problem;
        }
        for (const FileKey& key : kFileKeys) {
            if (Problem problem = readParameter(key, file.device.firmwareVersion,
                                                file.listIndex[sensor::indexOf(key.parameter)])) {
                return problem;
            }
        }
        return std::nullopt;
    }

  private:
    Problem readVersion() const {
        const FieldValue* version = fields_.find("version");
        if (version == nullptr) {
            return missing("version");
        }
        if (version->kind != Kind::Number) {
            return FileError{"version", "expected a number"};
        }
        if (version->number != static_cast<double>(kFormatVersion)) {
            return FileError{"version", echoedNumber(version->text) + " is not supported"};
        }
        return std::nullopt;
    }

    Problem requireObject(const std::string& path) const {
        const FieldValue* value = fields_.find(path);
        if (value == nullptr) {
            return missing(path);
        }
        if (value->kind != Kind::Object) {
            return FileError{path, "expected an object"};
        }
        return std::nullopt;
    }

    Problem readText(const std::string& path, std::size_t maxCharacters, std::string& out) const {
        const FieldValue* value = fields_.find(path);
        if (value == nullptr) {
            return missing(path);
        }
        if (value->kind != Kind::String) {
            return FileError{path, "expected a text"};
        }
        if (const auto problem = textProblem(value->text, maxCharacters)) {
            return FileError{path, *problem};
        }
        out = value->text;
        return std::nullopt;
    }

    Problem readWord(const std::string& path, std::int32_t& out) const {
        const FieldValue* value = fields_.find(path);
        if (value == nullptr) {
            return missing(path);
        }
        const std::optional<std::int32_t> word =
            value->kind == Kind::String ? deviceWordOf(value->text) : std::nullopt;
        if (!word) {
            return FileError{path, "expected \"0x\" and four hexadecimal digits, like \"0x0200\""};
        }
        out = *word;
        return std::nullopt;
    }

    Problem readDevice(link::DeviceIdentity& device) const {
        if (Problem problem = requireObject("device")) {
            return problem;
        }
        if (Problem problem = readWord("device.type", device.type)) {
            return problem;
        }
        if (const auto problem = deviceTypeProblem(device.type)) {
            return FileError{"device.type", *problem};
        }
        if (Problem problem = readText("device.serial", kMaxSerialLength, device.serial)) {
            return problem;
        }
        if (Problem problem = readWord("device.hardware", device.hardwareVersion)) {
            return problem;
        }
        return readWord("device.firmware", device.firmwareVersion);
    }

    Problem readParameter(const FileKey& key, std::int32_t firmwareVersion,
                          std::optional<std::int16_t>& out) const {
        const std::string path = "parameters." + std::string(key.key);
        const FieldValue* value = fields_.find(path);
        if (value == nullptr) {
            return requiredInFile(key.parameter) ? Problem(missing(path)) : std::nullopt;
        }
        if (!sensor::carriedBy(sensor::rowOf(key.parameter), firmwareVersion)) {
            return FileError{path, heightNotCarriedProblem(firmwareVersion)};
        }
        std::int16_t index = 0;
        if (const auto problem = listIndexOf(key, *value, index)) {
            return FileError{path, *problem};
        }
        out = index;
        return std::nullopt;
    }

    // The list index a value stands for, or what is wrong with it.
    static std::optional<std::string> listIndexOf(const FileKey& key, const FieldValue& value,
                                                  std::int16_t& index) {
        const sensor::Parameter parameter = key.parameter;
        const std::int16_t count = sensor::rowOf(parameter).itemCount;
        const std::string domain = fileDomainText(parameter);
        const std::string given = echoedNumber(value.text);
        switch (key.value) {
            case FileValue::CountFromOne:
            case FileValue::HalfSeconds: {
                const bool halves = key.value == FileValue::HalfSeconds;
                if (value.kind != Kind::Number) {
                    return halves ? "expected seconds from " + domain + " in steps of " +
                                        *fileValueText(parameter, 0)
                                  : "expected a whole number from " + domain;
                }
                const double item = halves ? value.number * 2 : value.number;
                if (!(item >= 1 && item <= count)) {
                    return given + " is outside " + domain;
                }
                if (std::floor(item) != item) {
                    return given + (halves ? " is not a step of " + *fileValueText(parameter, 0)
                                           : std::string(" is not a whole number"));
                }
                index = static_cast<std::int16_t>(item - 1);
                return std::nullopt;
            }
            case FileValue::Words:
                for (std::int16_t i = 0; i < count; ++i) {
                    if (value.kind == Kind::String &&
                        value.text == key.words[static_cast<std::size_t>(i)]) {
                        index = i;
                        return std::nullopt;
                    }
                }
                return "expected one of " + domain;
            case FileValue::Boolean:
                if (value.kind != Kind::Boolean) {
                    return std::string("expected true or false");
                }
                index = value.truth ? 1 : 0;
                return std::nullopt;
            case FileValue::Metres:
                if (value.kind != Kind::Number) {
                    return "expected one of " + domain;
                }
                for (std::int16_t i = 0; i < count; ++i) {
                    const double metres = key.centimetres[static_cast<std::size_t>(i)] / 100.0;
                    if (std::fabs(value.number - metres) < kHeightTolerance) {
                        index = i;
                        return std::nullopt;
                    }
                }
                return given + " is not one of " + domain;
        }
        return std::string("unknown value");
    }

    const FieldCollector& fields_;
};

}  // namespace

ReadResult readParameterFile(std::string_view text) {
    if (Problem problem = wholeTextProblem(text)) {
        return {{}, std::move(problem)};
    }
    try {
        FieldCollector fields(text);
        Json::sax_parse(text.begin(), text.end(), &fields);
        if (fields.error()) {
            return {{}, fields.error()};
        }
        ParameterFile file;
        if (Problem problem = FieldReader(fields).read(file)) {
            return {{}, std::move(problem)};
        }
        return {std::move(file), std::nullopt};
    } catch (const std::exception& error) {
        // The parser and the collector throw nothing of their own; this is
        // memory running out.
        return {{}, FileError{"", std::string("cannot be read: ") + error.what()}};
    }
}

ReadResult readParameterFileAt(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error && error != std::errc::no_such_file_or_directory) {
        return {{}, FileError{"", "cannot be read: " + error.message()}};
    }
    if (!std::filesystem::exists(status)) {
        return {{}, FileError{"", "no such file"}};
    }
    if (std::filesystem::is_directory(status)) {
        return {{}, FileError{"", "a folder, not a file"}};
    }
    if (std::filesystem::is_regular_file(status)) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size > kMaxFileBytes) {
            return {{}, FileError{"", std::to_string(size) + " bytes, " + tooLarge()}};
        }
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int reason = errno;
        return {{},
                FileError{"", reason == 0 ? std::string("cannot be opened")
                                          : "cannot be opened: " +
                                                std::generic_category().message(reason)}};
    }
    // Read one byte more than a file may have, in case the file grew since
    // its size was asked or has no size (a pipe).
    std::string text(kMaxFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return {{}, FileError{"", "cannot be read"}};
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    return readParameterFile(text);
}

}  // namespace quarn::paramfile
