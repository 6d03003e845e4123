#include "workbench/TextPlaceholders.h"

namespace quarn::workbench {

std::string withValues(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool place =
            text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
        const auto number = place ? static_cast<std::size_t>(text[i + 1] - '1') : values.size();
        if (number < values.size()) {
            result += *(values.begin() + number);
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

}  // namespace quarn::workbench
