#include "drivers/d2xx/VendorDriver.h"

#include <cstdint>
#include <type_traits>

#include "drivers/d2xx/SharedLibrary.h"

// The vendor's calling convention: __stdcall on Windows (it matters on
// 32-bit builds, where a mismatch corrupts the stack), the default elsewhere.
#if defined(_WIN32)
#define QUARN_FT_API __stdcall
#else
#define QUARN_FT_API
#endif

namespace quarn::d2xx {

namespace {
// The vendor's C signatures. DWORD and ULONG are 32 bits on every platform
// the vendor supports; FT_STATUS is a ULONG and FT_HANDLE a void*.
using ListDevicesFn = std::uint32_t(QUARN_FT_API*)(void*, void*, std::uint32_t);
using OpenExFn = std::uint32_t(QUARN_FT_API*)(void*, std::uint32_t, void**);
using ResetDeviceFn = std::uint32_t(QUARN_FT_API*)(void*);
using PurgeFn = std::uint32_t(QUARN_FT_API*)(void*, std::uint32_t);
using WriteFn = std::uint32_t(QUARN_FT_API*)(void*, void*, std::uint32_t, std::uint32_t*);
using GetQueueStatusFn = std::uint32_t(QUARN_FT_API*)(void*, std::uint32_t*);
using SetTimeoutsFn = std::uint32_t(QUARN_FT_API*)(void*, std::uint32_t, std::uint32_t);
using ReadFn = std::uint32_t(QUARN_FT_API*)(void*, void*, std::uint32_t, std::uint32_t*);
using CloseFn = std::uint32_t(QUARN_FT_API*)(void*);

constexpr FtStatus kNotLoaded = ft::kOtherError;
}  // namespace

struct VendorDriver::Functions {
    ListDevicesFn listDevices = nullptr;
    OpenExFn openEx = nullptr;
    ResetDeviceFn resetDevice = nullptr;
    PurgeFn purge = nullptr;
    WriteFn write = nullptr;
    GetQueueStatusFn getQueueStatus = nullptr;
    SetTimeoutsFn setTimeouts = nullptr;
    ReadFn read = nullptr;
    CloseFn close = nullptr;
};

const char* VendorDriver::defaultLibraryName() {
#if defined(_WIN32)
    return "FTD2XX.DLL";
#else
    return "libftd2xx.so";
#endif
}

VendorDriver::VendorDriver(const std::string& libraryName)
    : library_(std::make_unique<SharedLibrary>(libraryName)) {
    if (!library_->isOpen()) {
        loadError_ = library_->openError();
        library_.reset();
        return;
    }
    auto found = std::make_unique<Functions>();
    std::string missing;
    const auto resolve = [&](auto& slot, const char* name) {
        const SharedLibrary::Function function = library_->function(name);
        if (function == nullptr) {
            missing += missing.empty() ? name : std::string(", ") + name;
            return;
        }
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(function);
    };
    resolve(found->listDevices, "FT_ListDevices");
    resolve(found->openEx, "FT_OpenEx");
    resolve(found->resetDevice, "FT_ResetDevice");
    resolve(found->purge, "FT_Purge");
    resolve(found->write, "FT_Write");
    resolve(found->getQueueStatus, "FT_GetQueueStatus");
    resolve(found->setTimeouts, "FT_SetTimeouts");
    resolve(found->read, "FT_Read");
    resolve(found->close, "FT_Close");
    if (!missing.empty()) {
        loadError_ = libraryName + " lacks " + missing;
        library_.reset();
        return;
    }
    functions_ = std::move(found);
}

VendorDriver::~VendorDriver() = default;

bool VendorDriver::loaded() const {
    return functions_ != nullptr;
}

FtStatus VendorDriver::listDevices(void* arg1, void* arg2, FtDword flags) {
    return functions_ ? functions_->listDevices(arg1, arg2, flags) : kNotLoaded;
}

FtStatus VendorDriver::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    return functions_ ? functions_->openEx(arg1, flags, handle) : kNotLoaded;
}

FtStatus VendorDriver::resetDevice(FtHandle handle) {
    return functions_ ? functions_->resetDevice(handle) : kNotLoaded;
}

FtStatus VendorDriver::purge(FtHandle handle, FtDword mask) {
    return functions_ ? functions_->purge(handle, mask) : kNotLoaded;
}

FtStatus VendorDriver::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                             FtDword* bytesWritten) {
    return functions_ ? functions_->write(handle, buffer, bytesToWrite, bytesWritten) : kNotLoaded;
}

FtStatus VendorDriver::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    return functions_ ? functions_->getQueueStatus(handle, rxBytes) : kNotLoaded;
}

FtStatus VendorDriver::setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) {
    return functions_ ? functions_->setTimeouts(handle, readTimeout, writeTimeout) : kNotLoaded;
}

FtStatus VendorDriver::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                            FtDword* bytesReturned) {
    return functions_ ? functions_->read(handle, buffer, bytesToRead, bytesReturned) : kNotLoaded;
}

FtStatus VendorDriver::close(FtHandle handle) {
    return functions_ ? functions_->close(handle) : kNotLoaded;
}

}  // namespace quarn::d2xx
