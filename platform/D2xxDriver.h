#pragma once
// The nine calls of the FTDI D2XX driver that the link uses, with the vendor's
// status and flag values. UsbLink is the only caller; the vendor library
// (loaded at run time) and the simulator are the two implementations.

#include <cstdint>

namespace quarn {

using FtStatus = std::uint32_t;  // vendor ULONG: 32 bits on every platform
using FtDword = std::uint32_t;   // vendor DWORD / ULONG
using FtHandle = void*;

namespace ft {
// Status values.
inline constexpr FtStatus kOk = 0;
inline constexpr FtStatus kInvalidHandle = 1;
inline constexpr FtStatus kDeviceNotFound = 2;
inline constexpr FtStatus kDeviceNotOpened = 3;
inline constexpr FtStatus kIoError = 4;
inline constexpr FtStatus kInsufficientResources = 5;
inline constexpr FtStatus kInvalidParameter = 6;
inline constexpr FtStatus kFailedToWriteDevice = 10;
inline constexpr FtStatus kInvalidArgs = 16;
inline constexpr FtStatus kNotSupported = 17;
inline constexpr FtStatus kOtherError = 18;

// Flags of FT_ListDevices and FT_OpenEx.
inline constexpr FtDword kOpenBySerialNumber = 1;
inline constexpr FtDword kOpenByDescription = 2;
inline constexpr FtDword kOpenByLocation = 4;
inline constexpr FtDword kListNumberOnly = 0x80000000U;
inline constexpr FtDword kListByIndex = 0x40000000U;
inline constexpr FtDword kListAll = 0x20000000U;

// Masks of FT_Purge.
inline constexpr FtDword kPurgeRx = 1;
inline constexpr FtDword kPurgeTx = 2;

// A description written by FT_ListDevices fits, with its NUL, in this many
// bytes (the device record's description field is 64 bytes long).
inline constexpr int kMaxDescription = 64;
}  // namespace ft

// Mirrors the vendor interface one to one: same arguments, same meaning.
// FT_ListDevices by index takes the index value itself in arg1 (cast to a
// pointer), not its address, exactly as the vendor documents it.
class D2xxDriver {
  public:
    virtual ~D2xxDriver() = default;

    virtual FtStatus listDevices(void* arg1, void* arg2, FtDword flags) = 0;
    virtual FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) = 0;
    virtual FtStatus resetDevice(FtHandle handle) = 0;
    virtual FtStatus purge(FtHandle handle, FtDword mask) = 0;
    virtual FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                           FtDword* bytesWritten) = 0;
    virtual FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) = 0;
    virtual FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) = 0;
    virtual FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                          FtDword* bytesReturned) = 0;
    virtual FtStatus close(FtHandle handle) = 0;
};

}  // namespace quarn
