#pragma once
// Reading and filling the untyped arguments of the vendor's driver calls,
// for the implementations of D2xxDriver: texts are read only up to a bound,
// and nothing is written past the vendor's fields.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <string>

#include "platform/D2xxDriver.h"

namespace quarn::ft {

// Longest text a description or serial argument is read for.
inline constexpr std::size_t kMaxTextArgument = 256;

// The caller's text up to its NUL or maxLength bytes, whichever comes first.
inline std::string textArgument(const void* arg, std::size_t maxLength = kMaxTextArgument) {
    const auto* text = static_cast<const char*>(arg);
    std::size_t length = 0;
    while (length < maxLength && text[length] != '\0') {
        ++length;
    }
    return {text, length};
}

// A DWORD result, written whatever the alignment of the caller's pointer.
inline void putDword(void* where, FtDword value) {
    std::memcpy(where, &value, sizeof value);
}

// A listed description or serial: the text with its NUL, cut to fit the
// vendor's 64-byte field.
inline void putListText(void* buffer, const std::string& text) {
    const std::size_t length = std::min<std::size_t>(text.size(), kMaxDescription - 1);
    auto* out = static_cast<char*>(buffer);
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

inline FtDword clampToDword(std::size_t n) {
    return static_cast<FtDword>(std::min<std::size_t>(n, std::numeric_limits<FtDword>::max()));
}

}  // namespace quarn::ft
