// A stand-in for the vendor's D2XX library: the nine driver functions with
// the vendor's names and C signatures, answered by a simulated bus that runs
// on real time. Loading this file instead of the vendor's exercises the
// run-time loading path end to end, and lets the product run with no
// programmer at hand.
//
// A C library interface carries no context, so the bus is one per process,
// built on first use. Callers may come from any thread; one lock serialises
// them, and no exception crosses the C boundary.

#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/SteadyClock.h"
#include "sim/DeviceConfig.h"
#include "sim/SimulatedBus.h"

#if defined(_WIN32)
#define QUARN_DROPIN_EXPORT extern "C" __declspec(dllexport)
#define QUARN_DROPIN_CALL __stdcall
#else
#define QUARN_DROPIN_EXPORT extern "C" __attribute__((visibility("default")))
#define QUARN_DROPIN_CALL
#endif

namespace {

using quarn::FtDword;
using quarn::FtHandle;
using quarn::FtStatus;

// One "QuarnProg" programmer with a Zel sensor behind it.
struct DropInBus {
    quarn::SteadyClock clock;
    quarn::sim::SimulatedBus bus{clock};

    DropInBus() { bus.plugAdapter("QuarnProg").attachDevice(quarn::sim::DeviceConfig{}); }
};

std::mutex busMutex;
std::unique_ptr<DropInBus> dropInBus;

template <typename Call>
FtStatus withBus(Call call) noexcept {
    try {
        const std::lock_guard lock(busMutex);
        if (!dropInBus) {
            dropInBus = std::make_unique<DropInBus>();
        }
        return call(dropInBus->bus);
    } catch (...) {
        return quarn::ft::kInsufficientResources;
    }
}

}  // namespace

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_ListDevices(void* pArg1, void* pArg2,
                                                              std::uint32_t flags) {
    return withBus([&](auto& bus) { return bus.listDevices(pArg1, pArg2, flags); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_OpenEx(void* pArg1, std::uint32_t flags,
                                                         FtHandle* pHandle) {
    return withBus([&](auto& bus) { return bus.openEx(pArg1, flags, pHandle); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_ResetDevice(FtHandle ftHandle) {
    return withBus([&](auto& bus) { return bus.resetDevice(ftHandle); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_Purge(FtHandle ftHandle, std::uint32_t mask) {
    return withBus([&](auto& bus) { return bus.purge(ftHandle, mask); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_Write(FtHandle ftHandle, void* lpBuffer,
                                                        std::uint32_t dwBytesToWrite,
                                                        std::uint32_t* lpBytesWritten) {
    return withBus(
        [&](auto& bus) { return bus.write(ftHandle, lpBuffer, dwBytesToWrite, lpBytesWritten); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_GetQueueStatus(FtHandle ftHandle,
                                                                 std::uint32_t* dwRxBytes) {
    return withBus([&](auto& bus) { return bus.getQueueStatus(ftHandle, dwRxBytes); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_SetTimeouts(FtHandle ftHandle,
                                                              std::uint32_t readTimeout,
                                                              std::uint32_t writeTimeout) {
    return withBus([&](auto& bus) { return bus.setTimeouts(ftHandle, readTimeout, writeTimeout); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_Read(FtHandle ftHandle, void* lpBuffer,
                                                       std::uint32_t dwBytesToRead,
                                                       std::uint32_t* lpBytesReturned) {
    return withBus(
        [&](auto& bus) { return bus.read(ftHandle, lpBuffer, dwBytesToRead, lpBytesReturned); });
}

QUARN_DROPIN_EXPORT FtStatus QUARN_DROPIN_CALL FT_Close(FtHandle ftHandle) {
    return withBus([&](auto& bus) { return bus.close(ftHandle); });
}
