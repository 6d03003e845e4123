#include "platform/LoggedDriver.h"

#include <array>
#include <string>

namespace quarn {

std::string ftStatusName(FtStatus status) {
    static constexpr std::array<const char*, 19> kNames{
        "FT_OK",
        "FT_INVALID_HANDLE",
        "FT_DEVICE_NOT_FOUND",
        "FT_DEVICE_NOT_OPENED",
        "FT_IO_ERROR",
        "FT_INSUFFICIENT_RESOURCES",
        "FT_INVALID_PARAMETER",
        "FT_INVALID_BAUD_RATE",
        "FT_DEVICE_NOT_OPENED_FOR_ERASE",
        "FT_DEVICE_NOT_OPENED_FOR_WRITE",
        "FT_FAILED_TO_WRITE_DEVICE",
        "FT_EEPROM_READ_FAILED",
        "FT_EEPROM_WRITE_FAILED",
        "FT_EEPROM_ERASE_FAILED",
        "FT_EEPROM_NOT_PRESENT",
        "FT_EEPROM_NOT_PROGRAMMED",
        "FT_INVALID_ARGS",
        "FT_NOT_SUPPORTED",
        "FT_OTHER_ERROR",
    };
    if (status < kNames.size()) {
        return kNames[status];
    }
    return "status " + std::to_string(status);
}

FtStatus LoggedDriver::checked(const char* call, FtStatus status) {
    if (status != ft::kOk) {
        logIf(log_, LogArea::Usb, [&] {
            return std::string(call) + " failed: " + ftStatusName(status) + " (" +
                   std::to_string(status) + ")";
        });
    }
    return status;
}

FtStatus LoggedDriver::listDevices(void* arg1, void* arg2, FtDword flags) {
    return checked("FT_ListDevices", inner_.listDevices(arg1, arg2, flags));
}

FtStatus LoggedDriver::openEx(void* arg1, FtDword flags, FtHandle* handle) {
    const FtStatus status = checked("FT_OpenEx", inner_.openEx(arg1, flags, handle));
    if (status == ft::kOk) {
        logIf(log_, LogArea::Usb, [] { return std::string("adapter opened"); });
    }
    return status;
}

FtStatus LoggedDriver::resetDevice(FtHandle handle) {
    return checked("FT_ResetDevice", inner_.resetDevice(handle));
}

FtStatus LoggedDriver::purge(FtHandle handle, FtDword mask) {
    return checked("FT_Purge", inner_.purge(handle, mask));
}

FtStatus LoggedDriver::write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                             FtDword* bytesWritten) {
    return checked("FT_Write", inner_.write(handle, buffer, bytesToWrite, bytesWritten));
}

FtStatus LoggedDriver::getQueueStatus(FtHandle handle, FtDword* rxBytes) {
    return checked("FT_GetQueueStatus", inner_.getQueueStatus(handle, rxBytes));
}

FtStatus LoggedDriver::setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) {
    return checked("FT_SetTimeouts", inner_.setTimeouts(handle, readTimeout, writeTimeout));
}

FtStatus LoggedDriver::read(FtHandle handle, void* buffer, FtDword bytesToRead,
                            FtDword* bytesReturned) {
    return checked("FT_Read", inner_.read(handle, buffer, bytesToRead, bytesReturned));
}

FtStatus LoggedDriver::close(FtHandle handle) {
    const FtStatus status = checked("FT_Close", inner_.close(handle));
    if (status == ft::kOk) {
        logIf(log_, LogArea::Usb, [] { return std::string("adapter closed"); });
    }
    return status;
}

}  // namespace quarn
