#pragma once
// The sensor's parameters, described once. Each row says how a parameter
// travels on the wire, which sensors carry it, what its list in the sensor
// window holds and selects when the window loads, and which text captions
// it. The change check, the edit guard, the parameter write, the reply
// reading and the window's lists all walk this table. Adding a parameter is
// its name in Parameter and its row here, plus its texts in the string table
// and its place in the sensor window's layout.
//
// Rows are in wire order: row k is payload byte k of the parameter reply and
// of the parameter write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "link/DeviceIdentity.h"
#include "texts/StringTable.h"

namespace quarn::sensor {

using texts::StringId;

enum class Parameter : std::size_t {
    Sensitivity,
    RelayOnTime,
    ReactionSpeed,
    MainsFilter,
    HighTraffic,
    InstallationHeight,
};

constexpr std::size_t indexOf(Parameter parameter) {
    return static_cast<std::size_t>(parameter);
}

// How a list index becomes the byte on the wire.
enum class WireEncoding {
    NumberedFromOne,  // byte = index + 1
    IndexFromZero,    // byte = index
};

// How a list's items are written.
enum class ItemStyle {
    Counting,     // "1", "2", ... up to the item count
    HalfSeconds,  // steps of half a second in the user's notation: "0,5", "1", "1,5", ...
    Listed,       // the listed texts, in list order
};

// One listed item: a fixed text when `fixed` is not empty, otherwise the
// string table's text `entry`.
struct ItemText {
    std::string_view fixed;
    texts::StringId entry = texts::StringId::On;
};

constexpr ItemText entryText(texts::StringId entry) {
    return {{}, entry};
}
constexpr ItemText fixedText(std::string_view text) {
    return {text, texts::StringId::On};
}

inline constexpr std::size_t kMaxListedItems = 3;

struct ParameterRow {
    Parameter parameter;
    // Names the parameter's caption and list controls: "sensitivity" gives
    // "sensitivityCaption" and "sensitivityList".
    std::string_view name;
    WireEncoding encoding;
    // The lowest firmware word of the sensors that carry the parameter; 0
    // when every sensor does. A sensor below it neither reports nor takes
    // the parameter, and its list shows the first item.
    std::int32_t sinceFirmware;
    ItemStyle style;
    std::int16_t itemCount;
    std::array<ItemText, kMaxListedItems> listed;  // for ItemStyle::Listed
    std::int16_t loadSelection;                    // selected when the window loads
    texts::StringId caption;
};

inline constexpr std::int32_t kEverySensor = 0;

// Columns: parameter, control name, wire encoding, carried since firmware,
// item style, item count, listed items, selection at load, caption.
// clang-format off
inline constexpr auto kParameterTable = std::to_array<ParameterRow>({
    {Parameter::Sensitivity, "sensitivity", WireEncoding::NumberedFromOne, kEverySensor,
     ItemStyle::Counting, 9, {}, 4, StringId::SensitivityCaption},
    {Parameter::RelayOnTime, "relayOnTime", WireEncoding::NumberedFromOne, kEverySensor,
     ItemStyle::HalfSeconds, 9, {}, 0, StringId::RelayOnTimeCaption},
    {Parameter::ReactionSpeed, "reactionSpeed", WireEncoding::IndexFromZero, kEverySensor,
     ItemStyle::Listed, 3,
     {entryText(StringId::ReactionSlow), entryText(StringId::ReactionNormal), entryText(StringId::ReactionFast)},
     1, StringId::ReactionSpeedCaption},
    {Parameter::MainsFilter, "mainsFilter", WireEncoding::IndexFromZero, kEverySensor,
     ItemStyle::Listed, 3,
     {entryText(StringId::MainsFilterOff), fixedText("50 Hz"), fixedText("60 Hz")},
     0, StringId::MainsFilterCaption},
    {Parameter::HighTraffic, "highTraffic", WireEncoding::IndexFromZero, kEverySensor,
     ItemStyle::Listed, 2,
     {entryText(StringId::Off), entryText(StringId::On)},
     0, StringId::HighTrafficCaption},
    {Parameter::InstallationHeight, "installationHeight", WireEncoding::IndexFromZero, link::kHeightFirmware,
     ItemStyle::Listed, 3,
     {entryText(StringId::Height230), entryText(StringId::Height290), entryText(StringId::Height350)},
     0, StringId::InstallationHeightCaption},
});
// clang-format on

inline constexpr std::size_t kParameterCount = kParameterTable.size();

constexpr const ParameterRow& rowOf(Parameter parameter) {
    return kParameterTable[indexOf(parameter)];
}

// Whether a sensor with this firmware word carries the parameter.
constexpr bool carriedBy(const ParameterRow& row, std::int32_t firmwareVersion) {
    return firmwareVersion >= row.sinceFirmware;
}

// What the wire adds to a list index.
constexpr int wireOffset(const ParameterRow& row) {
    return row.encoding == WireEncoding::NumberedFromOne ? 1 : 0;
}

// The byte that carries a list index on the wire.
constexpr std::uint8_t wireByte(const ParameterRow& row, std::int16_t index) {
    return static_cast<std::uint8_t>(index + wireOffset(row));
}

// The list index a received byte stands for, or nothing when the byte lies
// outside the list's items.
constexpr std::optional<std::int16_t> listIndexOf(const ParameterRow& row, std::uint8_t byte) {
    const int index = byte - wireOffset(row);
    if (index < 0 || index >= row.itemCount) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(index);
}

namespace detail {

constexpr bool tableIsConsistent() {
    std::int32_t gate = kEverySensor;
    for (std::size_t i = 0; i < kParameterTable.size(); ++i) {
        const ParameterRow& row = kParameterTable[i];
        if (indexOf(row.parameter) != i || row.itemCount < 1 || row.loadSelection < 0 ||
            row.loadSelection >= row.itemCount) {
            return false;
        }
        if (row.style == ItemStyle::Listed &&
            static_cast<std::size_t>(row.itemCount) > kMaxListedItems) {
            return false;
        }
        // A sensor carries a prefix of the rows: the gates never fall.
        if (row.sinceFirmware < gate) {
            return false;
        }
        gate = row.sinceFirmware;
    }
    return true;
}

}  // namespace detail

static_assert(detail::tableIsConsistent(),
              "rows in Parameter order, load selections among the items, gates rising");
static_assert(indexOf(Parameter::InstallationHeight) + 1 == kParameterCount,
              "one row for each parameter");

}  // namespace quarn::sensor
