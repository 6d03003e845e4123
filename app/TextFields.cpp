#include "app/TextFields.h"

#include <cstddef>

namespace quarn::app {

namespace {

constexpr std::int32_t kInt16Min = -32768;
constexpr std::int32_t kInt16Max = 32767;
// Magnitudes are only accumulated up to here; anything larger is out of range.
constexpr std::int32_t kSaturated = 1'000'000;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::size_t CountDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    return count;
}

std::int32_t SaturatedMagnitude(std::string_view digits) {
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
bool TakeSign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

std::optional<std::int16_t> InInt16Range(std::int32_t value) {
    if (value < kInt16Min || value > kInt16Max) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

// True when the fraction's digits round the magnitude up: above one half,
// or exactly one half with an odd magnitude.
bool RoundsUp(std::string_view fraction, std::int32_t magnitude) {
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

std::optional<std::string_view> TakeLine(std::string_view& text) {
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

std::string_view FirstField(std::string_view line) {
    while (!line.empty() && IsBlank(line.front())) {
        line.remove_prefix(1);
    }
    if (!line.empty() && line.front() == '"') {
        line.remove_prefix(1);
        return line.substr(0, line.find('"'));
    }
    return TrimBlanks(line.substr(0, line.find(',')));
}

std::optional<std::int16_t> RoundedInt16(std::string_view text) {
    text = TrimBlanks(text);
    const bool negative = TakeSign(text);
    const std::size_t wholeDigits = CountDigits(text);
    const std::string_view whole = text.substr(0, wholeDigits);
    text.remove_prefix(wholeDigits);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = text.substr(0, CountDigits(text));
        text.remove_prefix(fraction.size());
    }
    if (!text.empty() || (whole.empty() && fraction.empty())) {
        return std::nullopt;
    }
    std::int32_t magnitude = SaturatedMagnitude(whole);
    if (magnitude < kSaturated && RoundsUp(fraction, magnitude)) {
        ++magnitude;
    }
    return InInt16Range(negative ? -magnitude : magnitude);
}

std::optional<std::int16_t> ParseInt16(std::string_view text) {
    text = TrimBlanks(text);
    const bool negative = TakeSign(text);
    if (text.empty() || CountDigits(text) != text.size()) {
        return std::nullopt;
    }
    const std::int32_t magnitude = SaturatedMagnitude(text);
    return InInt16Range(negative ? -magnitude : magnitude);
}

}  // namespace quarn::app
