#pragma once
// A simulated USB bus behind the D2XX interface: zero or more programmer
// adapters, plugged in and pulled out at any time, each optionally with a
// device behind it. It answers the nine driver calls as the vendor driver
// does, with the same status values, and takes its time from a Clock, so a
// virtual clock makes every run deterministic. No threads and no timers of
// its own: each call first brings the simulation up to clock.nowMs().
//
// Driver behaviour worth knowing:
// - FT_ListDevices lists the adapters plugged in now, in the order they were
//   first plugged; an invalid index gives FT_DEVICE_NOT_FOUND.
// - FT_OpenEx by description or serial number opens the first matching
//   adapter that is not already open (FT_DEVICE_NOT_FOUND when none matches,
//   FT_DEVICE_NOT_OPENED when every match is open). Handles are opaque,
//   never reused, and checked on every call: an unknown or closed handle
//   gives FT_INVALID_HANDLE.
// - After its adapter is pulled out, a handle gives FT_IO_ERROR on
//   GetQueueStatus, Read, Write, Purge, ResetDevice and SetTimeouts, also
//   after the adapter is plugged in again; it can still be closed.
// - A reply counts as in the driver only once its delay has passed. Before
//   that it is still on its way from the device: GetQueueStatus does not
//   count it, Read does not return it, and a purge does not discard it.
// - FT_Read returns at once with what has arrived (as if its time-out had
//   run out), never waiting on the clock.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/D2xxDriver.h"
#include "platform/Timers.h"
#include "sim/Adapter.h"
#include "sim/DeviceConfig.h"
#include "sim/ZelSensor.h"

namespace quarn::sim {

class SimulatedBus final : public D2xxDriver {
  public:
    // The clock must outlive the bus.
    explicit SimulatedBus(const Clock& clock);
    ~SimulatedBus() override;
    SimulatedBus(const SimulatedBus&) = delete;
    SimulatedBus& operator=(const SimulatedBus&) = delete;

    // A new adapter, plugged in. It lives as long as the bus; unplug and
    // replug keep it (and its device).
    Adapter& plugAdapter(std::string description);
    void unplug(Adapter& adapter);
    void replug(Adapter& adapter);
    // Adapters plugged in now.
    std::size_t adapterCount() const;
    std::size_t openHandleCount() const { return handles_.size(); }

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
        Adapter* adapter;
        std::uint64_t plugGeneration;
    };

    void catchUp();
    std::vector<Adapter*> pluggedAdapters() const;
    // FT_OK with the handle's adapter, FT_INVALID_HANDLE or FT_IO_ERROR.
    FtStatus liveAdapter(FtHandle handle, Adapter*& adapter);
    bool isOpen(const Adapter& adapter) const;
    FtStatus listByIndex(void* arg1, void* arg2, FtDword flags);
    FtStatus listAll(void* arg1, void* arg2, FtDword flags);

    const Clock& clock_;
    std::vector<std::unique_ptr<Adapter>> adapters_;
    std::map<std::uintptr_t, OpenHandle> handles_;
    std::uintptr_t nextHandle_ = 0;
};

}  // namespace quarn::sim
