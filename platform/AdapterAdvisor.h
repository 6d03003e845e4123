#pragma once
// Why a programmer adapter that is plugged in could not be opened, and the
// one command that fixes it. The start window asks after a failed open and
// shows the answer beside the programmer status; the status text itself is
// never changed by it.

#include <optional>
#include <string>

namespace quarn {

struct AdapterAdvice {
    std::string problem;  // one sentence: what is wrong
    std::string fix;      // one command or step that mends it
};

class AdapterAdvisor {
  public:
    virtual ~AdapterAdvisor() = default;
    // Nothing when no adapter with the programmer's description is present,
    // or when nothing stands in the way of opening it.
    virtual std::optional<AdapterAdvice> adviseOnFailedOpen() = 0;
};

}  // namespace quarn
