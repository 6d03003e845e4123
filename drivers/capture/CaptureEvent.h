#pragma once
// One driver call as a capture holds it: when it was made, what was asked,
// what the driver answered and which bytes crossed. The recorder fills one
// per call and writes it as a line; the parser reads the lines back into
// these; the replay answers from them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/D2xxDriver.h"

namespace quarn::capture {

enum class CaptureCall : std::uint8_t {
    ListDevices,
    OpenEx,
    ResetDevice,
    Purge,
    Write,
    GetQueueStatus,
    SetTimeouts,
    Read,
    Close,
};

// The three ways of asking ListDevices, told apart by its flags as the
// driver tells them apart: the number-only bit first, then by index, then all.
enum class ListKind : std::uint8_t { NumberOnly, ByIndex, All, Other };

inline ListKind listKindOf(FtDword flags) {
    if ((flags & ft::kListNumberOnly) != 0) {
        return ListKind::NumberOnly;
    }
    if ((flags & ft::kListByIndex) != 0) {
        return ListKind::ByIndex;
    }
    if ((flags & ft::kListAll) != 0) {
        return ListKind::All;
    }
    return ListKind::Other;
}

// How OpenEx names its adapter: description and serial number take a text,
// location a number; the text flags win when both are set.
inline bool opensByText(FtDword flags) {
    return (flags & (ft::kOpenByDescription | ft::kOpenBySerialNumber)) != 0;
}
inline bool opensByLocation(FtDword flags) {
    return !opensByText(flags) && (flags & ft::kOpenByLocation) != 0;
}

// A handle the driver never gave in this session (or a null one).
inline constexpr std::uint32_t kUnknownHandle = 0;

struct CaptureEvent {
    std::int64_t timeMs = 0;  // since the recording started
    std::size_t line = 0;     // where it stands in the capture text; 0 when not read from one
    CaptureCall call = CaptureCall::ListDevices;
    FtStatus status = ft::kOk;

    // --- what was asked ---
    // Every call but ListDevices and OpenEx: the handle used, numbered 1, 2 ...
    // in the order the opens gave them. OpenEx: the handle it gave.
    std::uint32_t handle = kUnknownHandle;
    FtDword flags = 0;                // ListDevices, OpenEx
    std::optional<FtDword> index;     // ListDevices by index
    std::optional<std::string> name;  // OpenEx by description or serial number
    std::optional<FtDword> location;  // OpenEx by location
    FtDword mask = 0;                 // Purge
    FtDword asked = 0;                // Write, Read: bytes asked for
    FtDword readTimeoutMs = 0;        // SetTimeouts
    FtDword writeTimeoutMs = 0;       // SetTimeouts

    // --- what the driver answered (present only when it wrote them) ---
    std::optional<FtDword> count;    // ListDevices number only / all: adapters
    std::vector<std::string> texts;  // ListDevices by index / all: descriptions or serials
    std::optional<FtDword> written;  // Write
    std::optional<FtDword> waiting;  // GetQueueStatus
    std::optional<FtDword> got;      // Read

    // Write: the bytes handed over (absent for a null buffer). Read: the
    // bytes returned.
    std::optional<std::vector<std::uint8_t>> data;

    bool operator==(const CaptureEvent&) const = default;
};

}  // namespace quarn::capture
