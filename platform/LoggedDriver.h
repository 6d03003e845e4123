#pragma once
// A driver that passes every call on to another and writes to the developer
// log each call that failed, with its name and status code, and each open
// and close. The front end puts it between the link and the backend, so the
// cause of a failure is kept where the link only sees one status.

#include <string>

#include "platform/D2xxDriver.h"
#include "platform/DevLog.h"

namespace quarn {

class LoggedDriver final : public D2xxDriver {
  public:
    // Both must outlive this driver.
    LoggedDriver(D2xxDriver& inner, DevLog& log) : inner_(inner), log_(log) {}

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
    // Logs the call when it failed; returns its status unchanged.
    FtStatus checked(const char* call, FtStatus status);

    D2xxDriver& inner_;
    DevLog& log_;
};

// The vendor's name of a status value ("FT_DEVICE_NOT_OPENED"), or
// "status <n>" for one it does not define.
std::string ftStatusName(FtStatus status);

}  // namespace quarn
