#pragma once
// The driver of a program without a usable backend: every call fails with
// the vendor's "other error", as an unloaded vendor library answers, so the
// link shows its driver error and nothing else changes.

#include "platform/D2xxDriver.h"

namespace quarn::backend {

class UnusableDriver final : public D2xxDriver {
  public:
    FtStatus listDevices(void* /*arg1*/, void* /*arg2*/, FtDword /*flags*/) override {
        return ft::kOtherError;
    }
    FtStatus openEx(void* /*arg1*/, FtDword /*flags*/, FtHandle* /*handle*/) override {
        return ft::kOtherError;
    }
    FtStatus resetDevice(FtHandle /*handle*/) override { return ft::kOtherError; }
    FtStatus purge(FtHandle /*handle*/, FtDword /*mask*/) override { return ft::kOtherError; }
    FtStatus write(FtHandle /*handle*/, void* /*buffer*/, FtDword /*bytesToWrite*/,
                   FtDword* /*bytesWritten*/) override {
        return ft::kOtherError;
    }
    FtStatus getQueueStatus(FtHandle /*handle*/, FtDword* /*rxBytes*/) override {
        return ft::kOtherError;
    }
    FtStatus setTimeouts(FtHandle /*handle*/, FtDword /*readTimeout*/,
                         FtDword /*writeTimeout*/) override {
        return ft::kOtherError;
    }
    FtStatus read(FtHandle /*handle*/, void* /*buffer*/, FtDword /*bytesToRead*/,
                  FtDword* /*bytesReturned*/) override {
        return ft::kOtherError;
    }
    FtStatus close(FtHandle /*handle*/) override { return ft::kOtherError; }
};

}  // namespace quarn::backend
