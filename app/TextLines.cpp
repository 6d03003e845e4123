#include "app/TextLines.h"

#include <cstddef>

namespace quarn::app {

namespace {

constexpr std::int32_t kInt16Min = -32768;
constexpr std::int32_t kInt16Max = 32767;
// Magnitudes are only accumulated up to here; anything larger is out of range.
constexpr std::int32_t kSaturated = 1'000'000;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t countDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && isDigit(text[count])) {
        ++count;
    }
    return count;
}

std::int32_t saturatedMagnitude(std::string_view digits) {
    std::int32_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value >= kSaturated) {
            return kSaturated;
        }
    }
    return value;
}

// Splits an optional leading sign off text; true when it was a minus.
bool takeSign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

std::optional<std::int16_t> inInt16Range(std::int32_t value) {
    if (value < kInt16Min || value > kInt16Max) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

// True when the fraction's digits round the magnitude up: above one half,
// or exactly one half with an odd magnitude.
bool roundsUp(std::string_view fraction, std::int32_t magnitude) {
    if (fraction.empty() || fraction.front() < '5') {
        return false;
    }
    if (fraction.front() > '5') {
        return true;
    }
    for (char c : fraction.substr(1)) {
        if (c != '0') {
            return true;
        }
    }
    return magnitude % 2 != 0;
}

}  // namespace

std::optional<std::string_view> takeLine(std::string_view& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::size_t end = 0;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') {
        ++end;
    }
    const std::string_view line = text.substr(0, end);
    std::size_t next = end;
    if (next < text.size()) {
        const bool crLf = text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n';
        next += crLf ? 2 : 1;
    }
    text.remove_prefix(next);
    return line;
}

std::string_view firstField(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) {
        line.remove_prefix(1);
    }
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        return line.substr(0, line.find('"'));
    }
    return trimBlanks(line.substr(0, line.find(',')));
}

std::optional<std::int16_t> roundedInt16(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = takeSign(text);
    const std::size_t wholeDigits = countDigits(text);
    const std::string_view whole = text.substr(0, wholeDigits);
    text.remove_prefix(wholeDigits);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = text.substr(0, countDigits(text));
        text.remove_prefix(fraction.size());
    }
    if (!text.empty() || (whole.empty() && fraction.empty())) {
        return std::nullopt;
    }
    std::int32_t magnitude = saturatedMagnitude(whole);
    if (magnitude < kSaturated && roundsUp(fraction, magnitude)) {
        ++magnitude;
    }
    return inInt16Range(negative ? -magnitude : magnitude);
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    text = trimBlanks(text);
    const bool negative = takeSign(text);
    if (text.empty() || countDigits(text) != text.size()) {
        return std::nullopt;
    }
    const std::int32_t magnitude = saturatedMagnitude(text);
    return inInt16Range(negative ? -magnitude : magnitude);
}

}  // namespace quarn::app
