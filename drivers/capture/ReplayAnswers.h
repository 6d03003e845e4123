#pragma once
// What a capture answers a replay, call by call, apart from the received
// bytes (ReceivedBytes):
// - listings and opens: the recorded answers to the same question (same
//   flags, same index, same name or location) in the order they were
//   given; once they run out, the last of them again; a question never
//   recorded has no answer;
// - writes: the recorded writes in order, compared by the replay;
// - the status of any other call on a handle: the status the same call on
//   the same handle last had at that time of the session (FT_OK before the
//   first one), so an adapter pulled out in the field fails from the same
//   moment on.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "drivers/capture/CaptureEvent.h"

namespace quarn::capture {

class ReplayAnswers {
  public:
    explicit ReplayAnswers(std::vector<CaptureEvent> events);

    // The question is an event holding the call and its arguments; null when
    // the capture never saw it asked.
    const CaptureEvent* answer(const CaptureEvent& question);
    // The next recorded write; null past the last.
    const CaptureEvent* nextWrite();
    std::size_t writeCount() const { return writes_.size(); }

    FtStatus statusAt(CaptureCall call, std::uint32_t handle, std::int64_t timeMs) const;

  private:
    struct Answers {
        std::vector<std::size_t> events;
        std::size_t next = 0;
    };
    using Timeline = std::vector<std::pair<std::int64_t, FtStatus>>;

    std::vector<CaptureEvent> events_;
    std::map<std::string, Answers> answers_;
    std::vector<std::size_t> writes_;
    std::size_t nextWrite_ = 0;
    std::map<std::pair<CaptureCall, std::uint32_t>, Timeline> statuses_;
};

}  // namespace quarn::capture
