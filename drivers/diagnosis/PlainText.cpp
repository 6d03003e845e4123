#include "drivers/diagnosis/PlainText.h"

#include <algorithm>
#include <array>

namespace quarn::diagnosis {

std::string printable(std::string_view text) {
    static constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                        '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && c != '\\') {
            shown += c;
        } else {
            shown += "\\x";
            shown += kHexDigits[byte >> 4];
            shown += kHexDigits[byte & 0x0f];
        }
    }
    return shown;
}

std::string shellWord(std::string_view word) {
    const auto leftAlone = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '/' || c == '.' || c == '_' || c == '-' || c == '+' || c == ':' || c == ',';
    };
    if (!word.empty() && std::all_of(word.begin(), word.end(), leftAlone)) {
        return std::string(word);
    }
    std::string quoted = "'";
    for (const char c : word) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

}  // namespace quarn::diagnosis
