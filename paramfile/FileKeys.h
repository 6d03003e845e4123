#pragma once
// How each sensor parameter is written in a parameter file: the key it is
// saved under and how a list index becomes the value under that key. One
// row for each row of the parameter table, in the same order. The item
// counts and which sensors carry a parameter come from the parameter table;
// this table adds only what the file needs besides: keys, words and heights.
//
// A parameter every sensor carries must be in a file; one that only some
// firmware carries (the installation height) is there only when the sensor
// it was saved from carries it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sensor/ParameterTable.h"

namespace quarn::paramfile {

// How a list index is written in the file.
enum class FileValue {
    CountFromOne,  // a whole number: index + 1
    HalfSeconds,   // seconds with one decimal: 0.5 x (index + 1)
    Words,         // one of the listed words, in list order
    Boolean,       // false for index 0, true for index 1
    Metres,        // metres with two decimals: the listed centimetres, in list order
};

struct FileKey {
    sensor::Parameter parameter;
    std::string_view key;
    FileValue value;
    std::array<std::string_view, sensor::kMaxListedItems> words;    // for FileValue::Words
    std::array<std::int16_t, sensor::kMaxListedItems> centimetres;  // for FileValue::Metres
};

// Columns: parameter, file key, value, words, centimetres.
// clang-format off
inline constexpr auto kFileKeys = std::to_array<FileKey>({
    {sensor::Parameter::Sensitivity, "sensitivity", FileValue::CountFromOne, {}, {}},
    {sensor::Parameter::RelayOnTime, "relay_on_time_s", FileValue::HalfSeconds, {}, {}},
    {sensor::Parameter::ReactionSpeed, "reaction_speed", FileValue::Words,
     {"slow", "normal", "fast"}, {}},
    {sensor::Parameter::MainsFilter, "mains_filter", FileValue::Words,
     {"off", "50Hz", "60Hz"}, {}},
    {sensor::Parameter::HighTraffic, "high_traffic", FileValue::Boolean, {}, {}},
    {sensor::Parameter::InstallationHeight, "installation_height_m", FileValue::Metres,
     {}, {230, 290, 350}},
});
// clang-format on

constexpr const FileKey& fileKeyOf(sensor::Parameter parameter) {
    return kFileKeys[sensor::indexOf(parameter)];
}

// Whether every file must give the parameter: those every sensor carries.
constexpr bool requiredInFile(sensor::Parameter parameter) {
    return sensor::rowOf(parameter).sinceFirmware == sensor::kEverySensor;
}

// Whether the index is one of the parameter's list items.
constexpr bool isListIndex(sensor::Parameter parameter, std::int16_t index) {
    return index >= 0 && index < sensor::rowOf(parameter).itemCount;
}

// The value a list index is written as, exactly as the file holds it
// ("5", "1.0", "normal", "50Hz", "false", "2.30"; words without quotes), or
// nothing for an index outside the list. The writer writes these texts; a
// display that sets a sensor's value beside a file's value shows them too.
std::optional<std::string> fileValueText(sensor::Parameter parameter, std::int16_t index);

// The values a parameter may take in a file, in words, as its error
// messages name them: "1 to 9", "0.5 to 4.5", "slow, normal, fast",
// "false, true", "2.30, 2.90, 3.50".
std::string fileDomainText(sensor::Parameter parameter);

namespace detail {

constexpr bool styleFits(FileValue value, const sensor::ParameterRow& row) {
    switch (value) {
        case FileValue::CountFromOne:
            return row.style == sensor::ItemStyle::Counting;
        case FileValue::HalfSeconds:
            return row.style == sensor::ItemStyle::HalfSeconds;
        case FileValue::Boolean:
            return row.style == sensor::ItemStyle::Listed && row.itemCount == 2;
        case FileValue::Words:
        case FileValue::Metres:
            return row.style == sensor::ItemStyle::Listed;
    }
    return false;
}

// Words or heights for exactly the list's items, and only where the value
// is written with them: none missing within the count, none left over
// beyond it, heights rising.
constexpr bool itemsFit(const FileKey& key, const sensor::ParameterRow& row) {
    for (std::size_t i = 0; i < sensor::kMaxListedItems; ++i) {
        const bool item = static_cast<std::int16_t>(i) < row.itemCount;
        const bool word = !key.words[i].empty();
        const bool height = key.centimetres[i] != 0;
        if (word != (item && key.value == FileValue::Words) ||
            height != (item && key.value == FileValue::Metres)) {
            return false;
        }
        if (height && i > 0 && key.centimetres[i] <= key.centimetres[i - 1]) {
            return false;
        }
    }
    return true;
}

constexpr bool fileKeysAreConsistent() {
    for (std::size_t i = 0; i < kFileKeys.size(); ++i) {
        const FileKey& key = kFileKeys[i];
        const sensor::ParameterRow& row = sensor::kParameterTable[i];
        if (key.parameter != row.parameter || key.key.empty() || !styleFits(key.value, row) ||
            !itemsFit(key, row)) {
            return false;
        }
    }
    for (std::size_t i = 0; i < kFileKeys.size(); ++i) {
        for (std::size_t k = i + 1; k < kFileKeys.size(); ++k) {
            if (kFileKeys[i].key == kFileKeys[k].key) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace detail

static_assert(kFileKeys.size() == sensor::kParameterCount,
              "one file key for each row of the parameter table");
static_assert(detail::fileKeysAreConsistent(),
              "file keys in table order, unique, with values that fit each list");

}  // namespace quarn::paramfile
