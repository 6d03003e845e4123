#pragma once
// Shared pieces of the fuzz targets: a private application directory per
// process, the files an application needs to start in it, and a check that
// turns a broken promise into a crash libFuzzer reports.

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "support/TempDir.h"

namespace quarn::fuzz {

// Stops the run with a message; libFuzzer keeps the input that caused it.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "broken promise: %s\n", what);
    std::fflush(stderr);
    std::abort();
}

inline void Expect(bool holds, const char* what) {
    if (!holds) {
        Broken(what);
    }
}

// A directory of its own under the system's temporary directory, removed
// with everything in it when the object goes. One per fuzzing process, so
// parallel jobs and the checkout are never touched.
using ScratchDirectory = testing::TempDir;

// A string table with two languages for every entry the program shows, so
// an application starts and every window fills its controls.
inline std::string WorkingStringTable() {
    constexpr int kEntriesInUse[] = {0,  1,  11, 12, 13, 14, 20, 21, 22, 23, 30, 31, 32, 33, 50,
                                     51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64};
    std::string text;
    for (const int entry : kEntriesInUse) {
        const std::string number = std::to_string(entry);
        text += "#STRING " + number + "\r\nvoce " + number + "\r\nentry " + number + "\r\n";
    }
    return text;
}

// Whether text is well-formed UTF-8 (no stray continuation bytes, no
// truncated or overlong sequences, no surrogates).
inline bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1FU;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0FU;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07U;
        } else {
            return false;
        }
        if (i + extra >= text.size()) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3FU);
        }
        constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += extra + 1;
    }
    return true;
}

}  // namespace quarn::fuzz
