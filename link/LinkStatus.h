#pragma once
// The outcome of an operation on the programmer link, as the start window
// shows it in the programmer status.

#include <cstdint>

namespace quarn::link {

enum class LinkStatus : std::int32_t {
    Open = 1,          // the adapter is open; the operation succeeded
    DriverFailed = 2,  // a driver call failed (or a write came up short)
    NotFound = 3,      // no adapter carries the programmer's description
    MoreThanOne = 4,   // two or more adapters carry it
};

// A short name for logs.
constexpr const char* linkStatusName(LinkStatus status) {
    switch (status) {
        case LinkStatus::Open:
            return "open";
        case LinkStatus::DriverFailed:
            return "driver failed";
        case LinkStatus::NotFound:
            return "not found";
        case LinkStatus::MoreThanOne:
            return "more than one";
    }
    return "unknown";
}

}  // namespace quarn::link
