#pragma once
// Runs the application against a capture instead of an adapter, so the desk
// sees what the field saw. The adapters are listed and opened as they were
// (ReplayAnswers); the bytes the technician's program received arrive again
// at their recorded times, counted from the first successful open
// (ReceivedBytes): GetQueueStatus counts only bytes whose time has come and
// Read returns them. Before that open, times count from the replay's
// creation, as the recording's counted from the recorder's.
//
// Every write is compared with the recorded write at the same place in the
// session. The first that differs is reported once, to the handler given at
// construction, and kept. The replay then carries on: the received bytes
// keep arriving at their recorded times (the window shows what the sensor
// said in the field, not an answer to the new write) and writes keep being
// matched by place.
//
// Where the capture holds no answer, because the application went further
// than the technician's did:
// - a listing or an open asked again gets the last recorded answer to that
//   question, one never asked gets none: no adapters (FT_OK, count 0) when
//   counting or listing all, FT_DEVICE_NOT_FOUND by index and for an open;
// - no more bytes arrive;
// - a write past the last recorded one is taken whole (FT_OK) and compared
//   with nothing;
// - a call on a handle has the status its kind last had on that handle.
// Purge and ResetDevice throw nothing away: the capture holds only bytes the
// application read. A handle the replay never gave, or closed, gives
// FT_INVALID_HANDLE; a missing output pointer FT_INVALID_PARAMETER.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "drivers/capture/CaptureEvent.h"
#include "drivers/capture/ReceivedBytes.h"
#include "drivers/capture/ReplayAnswers.h"
#include "drivers/capture/WriteDifference.h"
#include "platform/D2xxDriver.h"
#include "platform/Timers.h"

namespace quarn::capture {

class ReplayDriver final : public D2xxDriver {
  public:
    using DifferenceHandler = std::function<void(const WriteDifference&)>;

    // The clock must outlive the driver. The handler, if any, is called once,
    // at the first write that differs.
    ReplayDriver(std::vector<CaptureEvent> events, const Clock& clock,
                 DifferenceHandler onDifference = {});
    ReplayDriver(const ReplayDriver&) = delete;
    ReplayDriver& operator=(const ReplayDriver&) = delete;

    const std::optional<WriteDifference>& firstDifference() const { return firstDifference_; }
    // Writes made so far, and how many the capture holds.
    std::size_t writesMade() const { return writesMade_; }
    std::size_t recordedWrites() const { return answers_.writeCount(); }

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
    struct OpenHandle {
        std::uint32_t recorded;  // the handle's number in the capture
        bool open;
    };

    // Now, on the capture's time scale.
    std::int64_t captureTimeMs() const;
    // The capture's number of an open handle, or null.
    const OpenHandle* live(FtHandle handle) const;
    // FT_OK with the capture's number, or FT_INVALID_HANDLE, or the status
    // the capture had for this call on the handle now.
    FtStatus handleStatus(CaptureCall call, FtHandle handle, std::uint32_t& recorded) const;
    void compareWrite(const CaptureEvent* recorded, std::vector<std::uint8_t> actual);

    const Clock& clock_;
    std::int64_t createdAtMs_;
    ReceivedBytes received_;
    ReplayAnswers answers_;
    DifferenceHandler onDifference_;
    std::optional<WriteDifference> firstDifference_;
    std::size_t writesMade_ = 0;

    std::map<FtHandle, OpenHandle> handles_;
    std::uintptr_t handlesGiven_ = 0;
    // The first successful open: when the replay made it, and its time in
    // the capture.
    std::optional<std::int64_t> openedAtMs_;
    std::int64_t openedInCaptureMs_ = 0;
};

}  // namespace quarn::capture
