// Writes the file by hand rather than through the JSON library: the key
// order, the indentation and the heights' two decimals are part of the
// format, and every number is built from integers, so no locale can turn a
// decimal point into a comma.

#include <cstdio>

#include "paramfile/FileDomain.h"
#include "paramfile/FileKeys.h"
#include "paramfile/ParameterFile.h"

namespace quarn::paramfile {
namespace {

// A JSON string: quotes, backslashes and control characters escaped, the
// rest (checked to be UTF-8) as it is.
std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(byte));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The JSON value of a list index: words are strings, the rest bare.
std::string jsonValue(sensor::Parameter parameter, std::int16_t index) {
    const std::string text = *fileValueText(parameter, index);
    return fileKeyOf(parameter).value == FileValue::Words ? jsonString(text) : text;
}

// Members of one object, each on its own line at the given indentation,
// or all on one line without spaces.
class ObjectText {
  public:
    explicit ObjectText(std::string indent, bool oneLine = false)
        : indent_(std::move(indent)), oneLine_(oneLine) {}

    void add(std::string_view key, const std::string& value) {
        if (oneLine_) {
            text_ += (text_.empty() ? "" : ",") + jsonString(key) + ":" + value;
            return;
        }
        text_ += (text_.empty() ? "" : ",\n") + indent_ + jsonString(key) + ": " + value;
    }
    std::string closed(std::string_view outerIndent) const {
        if (oneLine_) {
            return "{" + text_ + "}";
        }
        return "{\n" + text_ + "\n" + std::string(outerIndent) + "}";
    }

  private:
    std::string indent_;
    bool oneLine_;
    std::string text_;
};

ObjectText deviceObject(const ParameterFile& file, bool oneLine) {
    ObjectText device("    ", oneLine);
    device.add("type", jsonString(deviceWordText(file.device.type)));
    device.add("serial", jsonString(file.device.serial));
    device.add("hardware", jsonString(deviceWordText(file.device.hardwareVersion)));
    device.add("firmware", jsonString(deviceWordText(file.device.firmwareVersion)));
    return device;
}

ObjectText parametersObject(const ParameterFile& file, bool oneLine) {
    ObjectText parameters("    ", oneLine);
    for (const FileKey& key : kFileKeys) {
        if (const auto& index = file.listIndex[sensor::indexOf(key.parameter)]) {
            parameters.add(key.key, jsonValue(key.parameter, *index));
        }
    }
    return parameters;
}

}  // namespace

WriteResult writeParameterFile(const ParameterFile& file) {
    if (std::optional<FileError> problem = recordProblem(file)) {
        return {{}, std::move(problem)};
    }
    ObjectText top("  ");
    top.add("format", jsonString(kFormatName));
    top.add("version", std::to_string(kFormatVersion));
    top.add("saved", jsonString(file.saved));
    top.add("device", deviceObject(file, false).closed("  "));
    top.add("parameters", parametersObject(file, false).closed("  "));
    return {top.closed("") + "\n", std::nullopt};
}

WriteResult writeDeviceAndParameters(const ParameterFile& file) {
    if (std::optional<FileError> problem = recordProblem(file)) {
        return {{}, std::move(problem)};
    }
    ObjectText top("", true);
    top.add("device", deviceObject(file, true).closed(""));
    top.add("parameters", parametersObject(file, true).closed(""));
    return {top.closed(""), std::nullopt};
}

std::string jsonStringText(std::string_view text) {
    return jsonString(text);
}

}  // namespace quarn::paramfile
