#pragma once
// Reads a capture's text back into its driver calls. A capture comes from
// another machine and may have been cut short, edited or made up, so every
// line is checked: the header, the characters, each field, the times (never
// backwards) and the handles (only ones an earlier open gave). The first
// problem ends the reading with its line number; nothing is guessed.
//
// Memory stays bounded by the text's size, which is capped: a longer text is
// refused before anything is read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "drivers/capture/CaptureEvent.h"

namespace quarn::capture {

// A capture larger than this is refused: about seven hours of a session
// with the sensor streaming.
inline constexpr std::size_t kMaxCaptureBytes = std::size_t{64} * 1024 * 1024;
// A capture with more calls is refused (about four hours of a session):
// this and the size limit keep what a capture reads into below about 200 MB.
inline constexpr std::size_t kMaxCaptureEvents = 1'000'000;
// A longer line is refused; it holds the largest write the link can make.
inline constexpr std::size_t kMaxLineLength = std::size_t{256} * 1024;
// Times beyond this (about 31 years) are refused.
inline constexpr std::int64_t kMaxTimeMs = 1'000'000'000'000;
// Longest text OpenEx is recorded with (its argument is read up to this).
inline constexpr std::size_t kMaxOpenName = 256;

struct CaptureError {
    std::size_t line = 0;  // counted from 1; 0 for the capture as a whole
    std::string problem;

    // "line 12: <problem>", or the problem alone for line 0.
    std::string message() const;
};

struct ParsedCapture {
    std::vector<CaptureEvent> events;  // empty when there is an error
    std::optional<CaptureError> error;

    bool ok() const { return !error.has_value(); }
};

ParsedCapture parseCapture(std::string_view text);

}  // namespace quarn::capture
