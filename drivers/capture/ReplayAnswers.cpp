#include "drivers/capture/ReplayAnswers.h"

#include <algorithm>
#include <iterator>

#include "drivers/capture/CaptureSyntax.h"

namespace quarn::capture {
namespace {

// Calls answered by question; the others are answered by time.
bool answeredByQuestion(CaptureCall call) {
    return call == CaptureCall::ListDevices || call == CaptureCall::OpenEx ||
           call == CaptureCall::Close;
}

// What makes two questions the same: the call with the arguments that
// choose its answer.
std::string questionKey(const CaptureEvent& event) {
    std::string key(callName(event.call));
    key += ' ';
    switch (event.call) {
        case CaptureCall::ListDevices:
            key += hexDword(event.flags);
            if (event.index) {
                key += " " + std::to_string(*event.index);
            }
            break;
        case CaptureCall::OpenEx:
            key += hexDword(event.flags);
            if (event.name) {
                key += " " + quotedText(*event.name);
            }
            if (event.location) {
                key += " @" + hexDword(*event.location);
            }
            break;
        default:
            key += std::to_string(event.handle);
            break;
    }
    return key;
}

}  // namespace

ReplayAnswers::ReplayAnswers(std::vector<CaptureEvent> events) : events_(std::move(events)) {
    for (std::size_t i = 0; i < events_.size(); ++i) {
        const CaptureEvent& event = events_[i];
        if (answeredByQuestion(event.call)) {
            answers_[questionKey(event)].events.push_back(i);
        } else if (event.call == CaptureCall::Write) {
            writes_.push_back(i);
        } else {
            statuses_[{event.call, event.handle}].emplace_back(event.timeMs, event.status);
        }
    }
}

const CaptureEvent* ReplayAnswers::answer(const CaptureEvent& question) {
    const auto found = answers_.find(questionKey(question));
    if (found == answers_.end()) {
        return nullptr;
    }
    Answers& answers = found->second;
    const std::size_t at = std::min(answers.next, answers.events.size() - 1);
    answers.next = std::min(answers.next + 1, answers.events.size());
    return &events_[answers.events[at]];
}

const CaptureEvent* ReplayAnswers::nextWrite() {
    if (nextWrite_ >= writes_.size()) {
        return nullptr;
    }
    return &events_[writes_[nextWrite_++]];
}

FtStatus ReplayAnswers::statusAt(CaptureCall call, std::uint32_t handle,
                                 std::int64_t timeMs) const {
    const auto found = statuses_.find({call, handle});
    if (found == statuses_.end()) {
        return ft::kOk;
    }
    const Timeline& timeline = found->second;
    // The last entry at or before timeMs.
    const auto after =
        std::upper_bound(timeline.begin(), timeline.end(), timeMs,
                         [](std::int64_t time, const auto& entry) { return time < entry.first; });
    return after == timeline.begin() ? ft::kOk : std::prev(after)->second;
}

}  // namespace quarn::capture
