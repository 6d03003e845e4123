#include "drivers/capture/CaptureSyntax.h"

#include <array>
#include <charconv>
#include <utility>

namespace quarn::capture {
namespace {

constexpr std::array<std::string_view, 9> kCallNames = {"ListDevices", "OpenEx", "ResetDevice",
                                                        "Purge",       "Write",  "GetQueueStatus",
                                                        "SetTimeouts", "Read",   "Close"};

// The vendor's status names, by value.
constexpr std::array<std::pair<FtStatus, std::string_view>, 19> kStatusNames = {{
    {0, "FT_OK"},
    {1, "FT_INVALID_HANDLE"},
    {2, "FT_DEVICE_NOT_FOUND"},
    {3, "FT_DEVICE_NOT_OPENED"},
    {4, "FT_IO_ERROR"},
    {5, "FT_INSUFFICIENT_RESOURCES"},
    {6, "FT_INVALID_PARAMETER"},
    {7, "FT_INVALID_BAUD_RATE"},
    {8, "FT_DEVICE_NOT_OPENED_FOR_ERASE"},
    {9, "FT_DEVICE_NOT_OPENED_FOR_WRITE"},
    {10, "FT_FAILED_TO_WRITE_DEVICE"},
    {11, "FT_EEPROM_READ_FAILED"},
    {12, "FT_EEPROM_WRITE_FAILED"},
    {13, "FT_EEPROM_ERASE_FAILED"},
    {14, "FT_EEPROM_NOT_PRESENT"},
    {15, "FT_EEPROM_NOT_PROGRAMMED"},
    {16, "FT_INVALID_ARGS"},
    {17, "FT_NOT_SUPPORTED"},
    {18, "FT_OTHER_ERROR"},
}};

constexpr char kHexDigits[] = "0123456789ABCDEF";

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool printable(unsigned char c) {
    return c >= 0x20 && c <= 0x7E;
}

}  // namespace

std::string_view callName(CaptureCall call) {
    return kCallNames[static_cast<std::size_t>(call)];
}

std::optional<CaptureCall> callNamed(std::string_view name) {
    for (std::size_t i = 0; i < kCallNames.size(); ++i) {
        if (kCallNames[i] == name) {
            return static_cast<CaptureCall>(i);
        }
    }
    return std::nullopt;
}

std::string statusName(FtStatus status) {
    for (const auto& [value, name] : kStatusNames) {
        if (value == status) {
            return std::string(name);
        }
    }
    return std::to_string(status);
}

std::optional<FtStatus> statusNamed(std::string_view text) {
    for (const auto& [value, name] : kStatusNames) {
        if (name == text) {
            return value;
        }
    }
    return dwordFrom(text);
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const std::uint8_t byte : bytes) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 0x0F];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> bytesFromHex(std::string_view digits) {
    if (digits.size() % 2 != 0) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexValue(digits[i]);
        const int low = hexValue(digits[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::string quotedText(std::string_view bytes) {
    std::string text = "\"";
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            text += '\\';
            text += c;
        } else if (printable(byte)) {
            text += c;
        } else {
            text += "\\x";
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        }
    }
    text += '"';
    return text;
}

std::optional<std::string> unquotedText(std::string_view quoted) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::nullopt;
    }
    const std::string_view inner = quoted.substr(1, quoted.size() - 2);
    std::string bytes;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        const char c = inner[i];
        if (c == '"') {
            return std::nullopt;  // a quote inside must be escaped
        }
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (i + 1 >= inner.size()) {
            return std::nullopt;
        }
        const char kind = inner[++i];
        if (kind == '\\' || kind == '"') {
            bytes += kind;
        } else if (kind == 'x' && i + 2 < inner.size() && hexValue(inner[i + 1]) >= 0 &&
                   hexValue(inner[i + 2]) >= 0) {
            bytes += static_cast<char>(hexValue(inner[i + 1]) * 16 + hexValue(inner[i + 2]));
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

std::optional<std::uint32_t> dwordFrom(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.front() == '-' || text.front() == '+') {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string hexDword(std::uint32_t value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), kHexDigits[value & 0x0F]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

}  // namespace quarn::capture
