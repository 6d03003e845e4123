#include "drivers/capture/ReplayDriver.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <span>
#include <string>
#include <utility>

#include "drivers/capture/CaptureParser.h"
#include "platform/D2xxArguments.h"

namespace quarn::capture {
namespace {

using ft::clampToDword;
using ft::putDword;

// Handles are numbers dressed as pointers, looked up and never dereferenced;
// well above zero, so never null and unlike small integers.
constexpr std::uintptr_t kHandleBase = 0x7E00;
constexpr std::uintptr_t kHandleStride = 0x10;

// Moves each read's bytes out of the events into received; the events keep
// everything else.
std::vector<CaptureEvent> withoutReceivedBytes(std::vector<CaptureEvent> events,
                                               ReceivedBytes& received) {
    for (CaptureEvent& event : events) {
        if (event.call == CaptureCall::Read && event.data) {
            received.add(event.handle, event.timeMs, std::move(*event.data));
            event.data.reset();
        }
    }
    return events;
}

// The text as a listing writes it: with its NUL when it is shorter than a
// description field, as recorded (without one) when it fills the field.
void putListText(void* buffer, const std::string& text) {
    const std::size_t length = std::min<std::size_t>(text.size(), ft::kMaxDescription);
    auto* out = static_cast<char*>(buffer);
    std::memcpy(out, text.data(), length);
    if (length < static_cast<std::size_t>(ft::kMaxDescription)) {
        out[length] = '\0';
    }
}

FtStatus answerUnasked(ListKind kind, void* countOut) {
    switch (kind) {
        case ListKind::NumberOnly:
        case ListKind::All:
            if (countOut == nullptr) {
                return ft::kInvalidParameter;
            }
            putDword(countOut, 0);
            return ft::kOk;
        case ListKind::ByIndex:
            return ft::kDeviceNotFound;
        case ListKind::Other:
            break;
    }
    return ft::kInvalidParameter;
}

}  // namespace

ReplayDriver::ReplayDriver(std::vector<CaptureEvent> events, const Clock& clock,
                           DifferenceHandler onDifference)
    : clock_(clock),
      createdAtMs_(clock.nowMs()),
      answers_(withoutReceivedBytes(std::move(events), received_)),
      onDifference_(std::move(onDifference)) {}

std::int64_t ReplayDriver::captureTimeMs() const {
    const std::int64_t now = clock_.nowMs();
    if (!openedAtMs_) {
        return now - createdAtMs_;
    }
    return openedInCaptureMs_ + (now - *openedAtMs_);
}

const ReplayDriver::OpenHandle* ReplayDriver::live(FtHandle handle) const {
    const auto found = handles_.find(handle);
    if (found == handles_.end() || !found->second.open) {
        return nullptr;
    }
    return &found->second;
}

FtStatus ReplayDriver::handleStatus(CaptureCall call, FtHandle handle,
                                    std::uint32_t& recorded) const {
    const OpenHandle* open = live(handle);
    if (open == nullptr) {
        return ft::kInvalidHandle;
    }
    recorded = open->recorded;
    return answers_.statusAt(call, recorded, captureTimeMs());
}

FtStatus ReplayDriver::listDevices(void* arg1, void* arg2, FtDword flags) {
    CaptureEvent question;
    question.call = CaptureCall::ListDevices;
    question.flags = flags;
    const ListKind kind = listKindOf(flags);
    if (kind == ListKind::ByIndex) {
        question.index = static_cast<FtDword>(reinterpret_cast<std::uintptr_t>(arg1));
    }
    const CaptureEvent* answer = answers_.answer(question);
    if (answer == nullptr) {
        return answerUnasked(kind, kind == ListKind::All ? arg2 : arg1);
    }
    if (answer->status != ft::kOk) {
        return answer->status;
    }
    if (kind == ListKind::NumberOnly) {
        if (arg1 == nullptr) {
            return ft::kInvalidParameter;
        }
        putDword(arg1, answer->count.value_or(0));
    } else if (kind == ListKind::ByIndex && !answer->texts.empty()) {
        if (arg2 == nullptr) {
            return ft::kInvalidParameter;
        }
        putListText(arg2, answer->texts.front());
    } else if (kind == ListKind::All) {
        if (arg1 == nullptr || arg2 == nullptr) {
            return ft::kInvalidParameter;
        }
        auto* const* buffers = static_cast<void* const*>(arg1);
        for (std::size_t i = 0; i < answer->texts.size() && buffers[i] != nullptr; ++i) {
            putListText(buffers[i], answer->texts[i]);
        }
        putDword(arg2, answer->count.value_or(clampToDword(answer->texts.size())));
    }
    return ft::kOk;
}

FtStatus ReplayDriver::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    CaptureEvent question;
    question.call = CaptureCall::OpenEx;
    question.flags = flags;
    if (opensByText(flags) && arg1 != nullptr) {
        question.name = ft::textArgument(arg1, kMaxOpenName);
    } else if (opensByLocation(flags)) {
        question.location = static_cast<FtDword>(reinterpret_cast<std::uintptr_t>(arg1));
    }
    const CaptureEvent* answer = answers_.answer(question);
    if (answer == nullptr) {
        return ft::kDeviceNotFound;
    }
    if (answer->status != ft::kOk) {
        return answer->status;
    }
    if (handle == nullptr) {
        return ft::kInvalidParameter;
    }
    handlesGiven_ += kHandleStride;
    auto* given = reinterpret_cast<FtHandle>(kHandleBase + handlesGiven_);
    handles_[given] = OpenHandle{answer->handle, true};
    *handle = given;
    if (!openedAtMs_) {
        openedInCaptureMs_ = answer->timeMs;
        openedAtMs_ = clock_.nowMs();
    }
    return ft::kOk;
}

FtStatus ReplayDriver::resetDevice(FtHandle handle) {
    std::uint32_t recorded = 0;
    return handleStatus(CaptureCall::ResetDevice, handle, recorded);
}

FtStatus ReplayDriver::purge(FtHandle handle, FtDword) {
    std::uint32_t recorded = 0;
    return handleStatus(CaptureCall::Purge, handle, recorded);
}

FtStatus ReplayDriver::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                             FtDword* bytesWritten) {
    ++writesMade_;
    const CaptureEvent* recorded = answers_.nextWrite();
    // A null buffer hands over nothing, as the recorder records it.
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    compareWrite(recorded, bytes != nullptr ? std::vector<std::uint8_t>(bytes, bytes + bytesToWrite)
                                            : std::vector<std::uint8_t>());
    if (live(handle) == nullptr) {
        return ft::kInvalidHandle;
    }
    if (recorded != nullptr && recorded->status != ft::kOk) {
        return recorded->status;
    }
    if (bytesWritten == nullptr || (buffer == nullptr && bytesToWrite > 0)) {
        return ft::kInvalidParameter;
    }
    const FtDword taken =
        recorded != nullptr ? recorded->written.value_or(bytesToWrite) : bytesToWrite;
    *bytesWritten = std::min(taken, bytesToWrite);
    return ft::kOk;
}

void ReplayDriver::compareWrite(const CaptureEvent* recorded, std::vector<std::uint8_t> actual) {
    if (recorded == nullptr || firstDifference_) {
        return;
    }
    const std::vector<std::uint8_t> none;
    const std::vector<std::uint8_t>& expected = recorded->data ? *recorded->data : none;
    if (expected == actual) {
        return;
    }
    firstDifference_ = WriteDifference{writesMade_,     recorded->line, recorded->timeMs,
                                       captureTimeMs(), expected,       std::move(actual)};
    if (onDifference_) {
        onDifference_(*firstDifference_);
    }
}

FtStatus ReplayDriver::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    std::uint32_t recorded = 0;
    if (const FtStatus status = handleStatus(CaptureCall::GetQueueStatus, handle, recorded);
        status != ft::kOk) {
        return status;
    }
    if (rxBytes == nullptr) {
        return ft::kInvalidParameter;
    }
    *rxBytes = clampToDword(received_.waiting(recorded, captureTimeMs()));
    return ft::kOk;
}

FtStatus ReplayDriver::setTimeouts(FtHandle handle, FtDword, FtDword) {
    std::uint32_t recorded = 0;
    return handleStatus(CaptureCall::SetTimeouts, handle, recorded);
}

FtStatus ReplayDriver::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                            FtDword* bytesReturned) {
    std::uint32_t recorded = 0;
    if (const FtStatus status = handleStatus(CaptureCall::Read, handle, recorded);
        status != ft::kOk) {
        return status;
    }
    if (bytesReturned == nullptr || (buffer == nullptr && bytesToRead > 0)) {
        return ft::kInvalidParameter;
    }
    *bytesReturned = 0;
    if (bytesToRead > 0) {
        const std::span<std::uint8_t> out(static_cast<std::uint8_t*>(buffer), bytesToRead);
        *bytesReturned = clampToDword(received_.take(recorded, captureTimeMs(), out));
    }
    return ft::kOk;
}

FtStatus ReplayDriver::close(FtHandle handle) {
    const auto found = handles_.find(handle);
    if (found == handles_.end() || !found->second.open) {
        return ft::kInvalidHandle;
    }
    found->second.open = false;
    CaptureEvent question;
    question.call = CaptureCall::Close;
    question.handle = found->second.recorded;
    const CaptureEvent* answer = answers_.answer(question);
    return answer != nullptr ? answer->status : ft::kOk;
}

}  // namespace quarn::capture
