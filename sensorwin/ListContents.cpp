#include "sensorwin/ListContents.h"

namespace quarn::sensorwin {

std::string halfSecondsText(int halfSeconds, const std::string& decimalSeparator) {
    std::string text = std::to_string(halfSeconds / 2);
    if (halfSeconds % 2 != 0) {
        text += decimalSeparator + "5";
    }
    return text;
}

std::vector<std::string> listItems(const sensor::ParameterRow& row,
                                   const texts::StringTableEntries& strings,
                                   const std::string& decimalSeparator) {
    std::vector<std::string> items;
    for (int i = 0; i < row.itemCount; ++i) {
        switch (row.style) {
            case sensor::ItemStyle::Counting:
                items.push_back(std::to_string(i + 1));
                break;
            case sensor::ItemStyle::HalfSeconds:
                items.push_back(halfSecondsText(i + 1, decimalSeparator));
                break;
            case sensor::ItemStyle::Listed: {
                const sensor::ItemText& item = row.listed[static_cast<std::size_t>(i)];
                items.push_back(item.fixed.empty() ? texts::textOf(strings, item.entry)
                                                   : std::string(item.fixed));
                break;
            }
        }
    }
    return items;
}

std::string itemText(sensor::Parameter parameter, std::int16_t index,
                     const texts::StringTableEntries& strings,
                     const std::string& decimalSeparator) {
    const std::vector<std::string> items =
        listItems(sensor::rowOf(parameter), strings, decimalSeparator);
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
        return {};
    }
    return items[static_cast<std::size_t>(index)];
}

void fillParameterLists(const sensor::ParameterLists& lists,
                        const texts::StringTableEntries& strings,
                        const std::string& decimalSeparator) {
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        quarn::ComboList& list = lists[row.parameter];
        list.clear();
        for (const std::string& item : listItems(row, strings, decimalSeparator)) {
            list.addItem(item);
        }
        list.setListIndex(row.loadSelection);
    }
}

}  // namespace quarn::sensorwin
