#pragma once
// The vendor's D2XX driver library, loaded at run time by its own file name
// from the normal library search path, with the nine functions resolved by
// their vendor names. When the library or any of the nine functions is
// missing, every call returns FT_OTHER_ERROR: the link then reports a driver
// failure as it does for any failing call, and nothing crashes or waits.

#include <memory>
#include <string>

#include "platform/D2xxDriver.h"

namespace quarn::d2xx {

class SharedLibrary;

class VendorDriver final : public D2xxDriver {
  public:
    // "FTD2XX.DLL" on Windows, "libftd2xx.so" elsewhere.
    static const char* defaultLibraryName();

    explicit VendorDriver(const std::string& libraryName = defaultLibraryName());
    ~VendorDriver() override;
    VendorDriver(const VendorDriver&) = delete;
    VendorDriver& operator=(const VendorDriver&) = delete;

    bool loaded() const;
    // Why the driver is not usable, on one line; empty when loaded.
    const std::string& loadError() const { return loadError_; }

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
    struct Functions;

    std::unique_ptr<SharedLibrary> library_;
    std::unique_ptr<Functions> functions_;  // null unless all nine resolved
    std::string loadError_;
};

}  // namespace quarn::d2xx
