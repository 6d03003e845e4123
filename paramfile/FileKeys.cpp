#include "paramfile/FileKeys.h"

namespace quarn::paramfile {
namespace {

// Whole and fraction built from integers, so the decimal point is a point
// whatever the locale says.
std::string decimalText(int hundredths, int decimals) {
    std::string fraction = std::to_string(hundredths % 100);
    if (fraction.size() < 2) {
        fraction.insert(0, "0");
    }
    return std::to_string(hundredths / 100) + "." + fraction.substr(0, decimals);
}

}  // namespace

std::optional<std::string> fileValueText(sensor::Parameter parameter, std::int16_t index) {
    if (!isListIndex(parameter, index)) {
        return std::nullopt;
    }
    const FileKey& key = fileKeyOf(parameter);
    const auto item = static_cast<std::size_t>(index);
    switch (key.value) {
        case FileValue::CountFromOne:
            return std::to_string(index + 1);
        case FileValue::HalfSeconds:
            return decimalText((index + 1) * 50, 1);
        case FileValue::Words:
            return std::string(key.words[item]);
        case FileValue::Boolean:
            return std::string(index == 0 ? "false" : "true");
        case FileValue::Metres:
            return decimalText(key.centimetres[item], 2);
    }
    return std::nullopt;
}

std::string fileDomainText(sensor::Parameter parameter) {
    const std::int16_t last = static_cast<std::int16_t>(sensor::rowOf(parameter).itemCount - 1);
    switch (fileKeyOf(parameter).value) {
        case FileValue::CountFromOne:
        case FileValue::HalfSeconds:
            return *fileValueText(parameter, 0) + " to " + *fileValueText(parameter, last);
        case FileValue::Words:
        case FileValue::Boolean:
        case FileValue::Metres:
            break;
    }
    std::string items;
    for (std::int16_t i = 0; i <= last; ++i) {
        items += (i == 0 ? "" : ", ") + *fileValueText(parameter, i);
    }
    return items;
}

}  // namespace quarn::paramfile
