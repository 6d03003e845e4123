#pragma once
// Records a session: stands between the link and any driver (the vendor's,
// the simulator, a replay), passes every call through unchanged and writes
// it as one line of a capture, flushed at once, so a crash loses nothing the
// driver already answered. Times count from the recorder's creation.
//
// A file that cannot be written to any more (a full disk, a pulled memory
// stick) stops the recording, not the session: problem() says why, the file
// is cut back to its last whole line, and the calls go on reaching the
// driver. A capture that reaches the size or the
// number of calls the parser reads stops the same way, with a last comment
// line saying so, so every capture it leaves can be replayed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "drivers/capture/CaptureEvent.h"
#include "platform/D2xxDriver.h"
#include "platform/Timers.h"

namespace quarn::capture {

class CaptureRecorder final : public D2xxDriver {
  public:
    struct Opening {
        std::unique_ptr<CaptureRecorder> recorder;  // null when the file could not be made
        std::string error;                          // why not, in one line
    };

    // Creates the file (an existing one is emptied) and writes the header,
    // then the note, if any, as comment lines (the program and its version,
    // the date). The driver and the clock must outlive the recorder.
    static Opening create(D2xxDriver& driver, const Clock& clock, const std::filesystem::path& path,
                          std::string_view note = {});

    ~CaptureRecorder() override;
    CaptureRecorder(const CaptureRecorder&) = delete;
    CaptureRecorder& operator=(const CaptureRecorder&) = delete;

    bool recording() const { return file_ != nullptr; }
    // Why the recording stopped; empty while it goes on.
    const std::string& problem() const { return problem_; }

    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override;
    FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) override;
    FtStatus resetDevice(FtHandle handle) override;
    FtStatus purge(FtHandle handle, FtDword mask) override;
    FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                   FtDword* bytesWritten) override;
    FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) override;
    FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) override;
    FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                  FtDword* bytesReturned) override;
    FtStatus close(FtHandle handle) override;

  private:
    CaptureRecorder(D2xxDriver& driver, const Clock& clock, std::FILE* file, std::string path);

    // An event stamped with the time now and the handle's number.
    CaptureEvent begin(CaptureCall call) const;
    CaptureEvent begin(CaptureCall call, FtHandle handle) const;
    void record(const CaptureEvent& event);
    // Ends the recording with a comment line saying why.
    void stopOversized(const CaptureEvent& event);
    void stopWithLastWord(std::int64_t timeMs, const std::string& why);
    // Writes and flushes; false (with problem_ set) when the file refused it.
    bool put(const std::string& text);
    void stop(std::string why);

    D2xxDriver& driver_;
    const Clock& clock_;
    std::int64_t startMs_;
    std::FILE* file_;
    std::string path_;
    std::size_t bytesWritten_ = 0;
    std::size_t callsWritten_ = 0;
    std::string problem_;
    // The number each handle got when an open gave it; a value the driver
    // gives again later gets a new number.
    std::map<FtHandle, std::uint32_t> handleNumbers_;
    std::uint32_t handlesGiven_ = 0;
};

}  // namespace quarn::capture
