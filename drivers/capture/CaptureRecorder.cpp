#include "drivers/capture/CaptureRecorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "drivers/capture/CaptureLine.h"
#include "drivers/capture/CaptureParser.h"
#include "drivers/capture/CaptureSyntax.h"

namespace quarn::capture {
namespace {

// Room kept below the size limit for the comment that says recording stopped.
constexpr std::size_t kRoomForLastWord = 256;
// The most bytes one call may carry: their hex digits and the call's other
// fields still fit a line.
constexpr std::size_t kMaxRecordedBytes = (kMaxLineLength - kRoomForLastWord) / 2;

FtDword dwordAt(const void* where) {
    FtDword value = 0;
    std::memcpy(&value, where, sizeof value);
    return value;
}

// The text up to its NUL, never reading more than longest bytes.
std::string textAt(const void* where, std::size_t longest) {
    const auto* text = static_cast<const char*>(where);
    std::size_t length = 0;
    while (length < longest && text[length] != '\0') {
        ++length;
    }
    return {text, length};
}

std::vector<std::uint8_t> bytesAt(const void* where, std::size_t count) {
    const auto* bytes = static_cast<const std::uint8_t*>(where);
    return {bytes, bytes + count};
}

// By index and for open by location the driver takes a number in place of a
// pointer.
FtDword numberIn(const void* arg) {
    return static_cast<FtDword>(reinterpret_cast<std::uintptr_t>(arg));
}

std::string commentLines(std::string_view note) {
    std::string lines;
    while (!note.empty()) {
        const std::size_t end = std::min(note.find('\n'), note.size());
        std::string_view line = note.substr(0, end);
        note.remove_prefix(std::min(end + 1, note.size()));
        lines += "# ";
        // A comment stays one printable line whatever the note holds.
        for (const char c : line) {
            lines += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
        lines += '\n';
    }
    return lines;
}

std::string failureText(const std::string& path) {
    return "cannot write the capture " + path + ": " + std::strerror(errno);
}

}  // namespace

CaptureRecorder::Opening CaptureRecorder::create(D2xxDriver& driver, const Clock& clock,
                                                 const std::filesystem::path& path,
                                                 std::string_view note) {
    Opening opening;
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    if (file == nullptr) {
        opening.error = "cannot create the capture " + path.string() + ": " + std::strerror(errno);
        return opening;
    }
    std::unique_ptr<CaptureRecorder> recorder(
        new CaptureRecorder(driver, clock, file, path.string()));
    const std::string head = std::string(kCaptureHeader) +
                             "\n# QuarnSoft driver calls, one a line; see capture-format.md\n" +
                             commentLines(note.substr(0, kRoomForLastWord));
    if (!recorder->put(head)) {
        opening.error = recorder->problem();
        return opening;
    }
    opening.recorder = std::move(recorder);
    return opening;
}

CaptureRecorder::CaptureRecorder(D2xxDriver& driver, const Clock& clock, std::FILE* file,
                                 std::string path)
    : driver_(driver),
      clock_(clock),
      startMs_(clock.nowMs()),
      file_(file),
      path_(std::move(path)) {}

CaptureRecorder::~CaptureRecorder() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool CaptureRecorder::put(const std::string& text) {
    if (file_ == nullptr) {
        return false;
    }
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
        stop(failureText(path_));
        return false;
    }
    bytesWritten_ += text.size();
    return true;
}

void CaptureRecorder::stop(std::string why) {
    problem_ = std::move(why);
    std::fclose(file_);
    file_ = nullptr;
    // A write that failed half way may have left part of a line; without it
    // the capture ends with a whole line and can be replayed as it is.
    std::error_code ignored;
    std::filesystem::resize_file(path_, bytesWritten_, ignored);
}

void CaptureRecorder::record(const CaptureEvent& event) {
    if (file_ == nullptr) {
        return;
    }
    const std::string line = captureLine(event) + '\n';
    if (line.size() > kMaxLineLength) {
        stopOversized(event);
    } else if (bytesWritten_ + line.size() > kMaxCaptureBytes - kRoomForLastWord) {
        stopWithLastWord(event.timeMs, "the capture reached its 64 MiB limit");
    } else if (callsWritten_ == kMaxCaptureEvents) {
        stopWithLastWord(event.timeMs, "the capture reached its limit of " +
                                           std::to_string(kMaxCaptureEvents) + " calls");
    } else if (put(line)) {
        ++callsWritten_;
    }
}

void CaptureRecorder::stopOversized(const CaptureEvent& event) {
    stopWithLastWord(event.timeMs, std::string(callName(event.call)) +
                                       " carried more bytes than a capture line holds");
}

void CaptureRecorder::stopWithLastWord(std::int64_t timeMs, const std::string& why) {
    if (put("# recording stopped at " + std::to_string(timeMs) + " ms: " + why + "\n")) {
        stop("recording stopped: " + why);
    }
}

CaptureEvent CaptureRecorder::begin(CaptureCall call) const {
    CaptureEvent event;
    event.call = call;
    event.timeMs = clock_.nowMs() - startMs_;
    return event;
}

CaptureEvent CaptureRecorder::begin(CaptureCall call, FtHandle handle) const {
    CaptureEvent event = begin(call);
    const auto found = handleNumbers_.find(handle);
    event.handle = found == handleNumbers_.end() ? kUnknownHandle : found->second;
    return event;
}

FtStatus CaptureRecorder::listDevices(void* arg1, void* arg2, FtDword flags) {
    CaptureEvent event = begin(CaptureCall::ListDevices);
    event.flags = flags;
    const ListKind kind = listKindOf(flags);
    if (kind == ListKind::ByIndex) {
        event.index = numberIn(arg1);
    }
    event.status = driver_.listDevices(arg1, arg2, flags);
    if (event.status == ft::kOk) {
        if (kind == ListKind::NumberOnly && arg1 != nullptr) {
            event.count = dwordAt(arg1);
        } else if (kind == ListKind::ByIndex && arg2 != nullptr) {
            event.texts.push_back(textAt(arg2, ft::kMaxDescription));
        } else if (kind == ListKind::All && arg2 != nullptr) {
            event.count = dwordAt(arg2);
            // The caller's buffers: a null-terminated array of pointers.
            const auto* buffers = static_cast<void* const*>(arg1);
            for (FtDword i = 0; buffers != nullptr && i < *event.count && buffers[i] != nullptr;
                 ++i) {
                event.texts.push_back(textAt(buffers[i], ft::kMaxDescription));
            }
        }
    }
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    CaptureEvent event = begin(CaptureCall::OpenEx);
    event.flags = flags;
    if (opensByText(flags) && arg1 != nullptr) {
        event.name = textAt(arg1, kMaxOpenName);
    } else if (opensByLocation(flags)) {
        event.location = numberIn(arg1);
    }
    event.status = driver_.openEx(arg1, flags, handle);
    if (event.status == ft::kOk && handle != nullptr) {
        event.handle = ++handlesGiven_;
        handleNumbers_[*handle] = event.handle;
    }
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::resetDevice(FtHandle handle) {
    CaptureEvent event = begin(CaptureCall::ResetDevice, handle);
    event.status = driver_.resetDevice(handle);
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::purge(FtHandle handle, FtDword mask) {
    CaptureEvent event = begin(CaptureCall::Purge, handle);
    event.mask = mask;
    event.status = driver_.purge(handle, mask);
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                                FtDword* bytesWritten) {
    CaptureEvent event = begin(CaptureCall::Write, handle);
    event.asked = bytesToWrite;
    if (buffer != nullptr && bytesToWrite <= kMaxRecordedBytes) {
        event.data = bytesAt(buffer, bytesToWrite);
    }
    event.status = driver_.write(handle, buffer, bytesToWrite, bytesWritten);
    if (buffer != nullptr && bytesToWrite > kMaxRecordedBytes) {
        stopOversized(event);
        return event.status;
    }
    if (event.status == ft::kOk && bytesWritten != nullptr) {
        event.written = *bytesWritten;
    }
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    CaptureEvent event = begin(CaptureCall::GetQueueStatus, handle);
    event.status = driver_.getQueueStatus(handle, rxBytes);
    if (event.status == ft::kOk && rxBytes != nullptr) {
        event.waiting = *rxBytes;
    }
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) {
    CaptureEvent event = begin(CaptureCall::SetTimeouts, handle);
    event.readTimeoutMs = readTimeout;
    event.writeTimeoutMs = writeTimeout;
    event.status = driver_.setTimeouts(handle, readTimeout, writeTimeout);
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                               FtDword* bytesReturned) {
    CaptureEvent event = begin(CaptureCall::Read, handle);
    event.asked = bytesToRead;
    event.status = driver_.read(handle, buffer, bytesToRead, bytesReturned);
    if (event.status == ft::kOk && bytesReturned != nullptr && buffer != nullptr) {
        event.got = *bytesReturned;
        // A driver that reports more than was asked for filled no more than
        // the buffer; nothing past it is looked at.
        const FtDword kept = std::min(*event.got, bytesToRead);
        if (kept > kMaxRecordedBytes) {
            stopOversized(event);
            return event.status;
        }
        event.data = bytesAt(buffer, kept);
    }
    record(event);
    return event.status;
}

FtStatus CaptureRecorder::close(FtHandle handle) {
    CaptureEvent event = begin(CaptureCall::Close, handle);
    event.status = driver_.close(handle);
    record(event);
    return event.status;
}

}  // namespace quarn::capture
