#include "paramfile/FileDomain.h"

#include <cstdio>

#include "paramfile/FileKeys.h"
#include "platform/Utf8.h"

namespace quarn::paramfile {
namespace {

constexpr std::int32_t kLargestWord = 0xFFFF;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<FileError> wordProblem(std::string_view field, std::int32_t word) {
    if (word < 0 || word > kLargestWord) {
        return FileError{std::string(field),
                         std::to_string(word) + " is not a word from 0x0000 to 0xFFFF"};
    }
    return std::nullopt;
}

std::optional<FileError> parameterProblem(const ParameterFile& file, sensor::Parameter parameter) {
    const std::string field = "parameters." + std::string(fileKeyOf(parameter).key);
    const std::optional<std::int16_t>& index = file.listIndex[sensor::indexOf(parameter)];
    if (!index) {
        if (requiredInFile(parameter)) {
            return FileError{field, "missing"};
        }
        return std::nullopt;
    }
    if (!isListIndex(parameter, *index)) {
        return FileError{field, "list index " + std::to_string(*index) + " is outside 0 to " +
                                    std::to_string(sensor::rowOf(parameter).itemCount - 1)};
    }
    if (!sensor::carriedBy(sensor::rowOf(parameter), file.device.firmwareVersion)) {
        return FileError{field, heightNotCarriedProblem(file.device.firmwareVersion)};
    }
    return std::nullopt;
}

}  // namespace

std::string deviceWordText(std::int32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(word));
    return text;
}

std::optional<std::int32_t> deviceWordOf(std::string_view text) {
    constexpr std::size_t kDigits = 4;
    if (text.size() != 2 + kDigits || text.substr(0, 2) != "0x") {
        return std::nullopt;
    }
    std::int32_t word = 0;
    for (const char c : text.substr(2)) {
        const int digit = hexDigit(c);
        if (digit < 0) {
            return std::nullopt;
        }
        word = word * 16 + digit;
    }
    return word;
}

std::optional<std::string> textProblem(std::string_view text, std::size_t maxCharacters) {
    if (firstNonUtf8(text) != std::string_view::npos) {
        return "not UTF-8";
    }
    if (utf8Length(text) > maxCharacters) {
        return "longer than " + std::to_string(maxCharacters) + " characters";
    }
    return std::nullopt;
}

std::optional<std::string> deviceTypeProblem(std::int32_t type) {
    if (type == link::kZelDeviceType) {
        return std::nullopt;
    }
    return deviceWordText(type) + " is not the Zel sensor (" +
           deviceWordText(link::kZelDeviceType) + ")";
}

std::string heightNotCarriedProblem(std::int32_t firmwareVersion) {
    return "the sensor it was saved from (firmware " + deviceWordText(firmwareVersion) +
           ") has no such parameter";
}

std::optional<FileError> recordProblem(const ParameterFile& file) {
    if (const auto problem = textProblem(file.saved, kMaxSavedLength)) {
        return FileError{"saved", *problem};
    }
    if (const auto problem = deviceTypeProblem(file.device.type)) {
        return FileError{"device.type", *problem};
    }
    if (const auto problem = textProblem(file.device.serial, kMaxSerialLength)) {
        return FileError{"device.serial", *problem};
    }
    if (auto problem = wordProblem("device.hardware", file.device.hardwareVersion)) {
        return problem;
    }
    if (auto problem = wordProblem("device.firmware", file.device.firmwareVersion)) {
        return problem;
    }
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        if (auto problem = parameterProblem(file, row.parameter)) {
            return problem;
        }
    }
    return std::nullopt;
}

}  // namespace quarn::paramfile
