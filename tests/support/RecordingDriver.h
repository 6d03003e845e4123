#pragma once
// A scriptable D2xxDriver for tests. It plays a set of attached adapters and
// the bytes waiting in the driver's receive queue, records every call as a
// readable line ("ListDevices(0, blank, 0x40000002)"), and can be told to
// fail the next calls of a given name or to misreport counts.
//
// Handles are recorded as h1, h2 ... in the order they were opened, so a test
// can see which handle a call used; any use of a handle that was closed (or
// never opened) is counted in staleHandleUses.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/D2xxDriver.h"

namespace quarn::testing {

class RecordingDriver : public D2xxDriver {
  public:
    // Size of the description buffer the link hands to ListDevices by index.
    static constexpr std::size_t kDescriptionBuffer = 100;

    struct Adapter {
        std::string description;
        bool writeNul = true;           // false: the description is written without its NUL
        FtStatus listStatus = ft::kOk;  // what asking for its description returns
    };

    // --- script ---
    std::vector<Adapter> adapters;
    std::optional<FtDword> reportedCount;    // overrides adapters.size()
    std::deque<std::uint8_t> rxQueue;        // bytes waiting in the driver
    std::optional<FtDword> reportedWaiting;  // overrides rxQueue.size() once
    std::optional<FtDword> readOverReport;   // Read reports this many more than it copied
    std::optional<FtDword> writtenOverride;  // Write reports this count
    bool recording = true;                   // off for bulk runs

    // The next `times` calls named `call` ("Read", "OpenEx" ...) return status.
    void failNext(const std::string& call, FtStatus status = ft::kIoError, int times = 1) {
        for (int i = 0; i < times; ++i) {
            failures_[call].push_back(status);
        }
    }

    void addAdapter(const std::string& description, bool writeNul = true) {
        adapters.push_back({description, writeNul});
    }
    void queueRx(const std::vector<std::uint8_t>& bytes) {
        rxQueue.insert(rxQueue.end(), bytes.begin(), bytes.end());
    }

    // --- record ---
    std::vector<std::string> calls;
    std::vector<std::vector<std::uint8_t>> writes;  // bytes taken by each successful Write
    int staleHandleUses = 0;
    int openHandles() const { return static_cast<int>(open_.size()); }
    void clearCalls() { calls.clear(); }

    // --- D2xxDriver ---
    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override {
        if (flags == ft::kListNumberOnly) {
            if (recording) {
                record("ListDevices(" + std::string(arg1 ? "&count" : "null") + ", " +
                       (arg2 ? "buffer" : "null") + ", " + hex(flags) + ")");
            }
            if (auto status = scripted("ListDevices")) {
                return *status;
            }
            if (arg1 != nullptr) {
                const FtDword count = reportedCount.value_or(static_cast<FtDword>(adapters.size()));
                std::memcpy(arg1, &count, sizeof count);
            }
            return ft::kOk;
        }
        const auto index = static_cast<std::size_t>(reinterpret_cast<std::uintptr_t>(arg1));
        auto* buffer = static_cast<char*>(arg2);
        if (recording) {
            const bool blank = buffer != nullptr && std::all_of(buffer, buffer + kDescriptionBuffer,
                                                                [](char c) { return c == ' '; });
            record("ListDevices(" + std::to_string(index) + ", " + (blank ? "blank" : "dirty") +
                   ", " + hex(flags) + ")");
        }
        if (auto status = scripted("ListDevices")) {
            return *status;
        }
        if (index >= adapters.size() || buffer == nullptr) {
            return ft::kDeviceNotFound;
        }
        const Adapter& adapter = adapters[index];
        if (adapter.listStatus != ft::kOk) {
            return adapter.listStatus;
        }
        const std::size_t n = std::min(adapter.description.size(), kDescriptionBuffer);
        std::memcpy(buffer, adapter.description.data(), n);
        if (adapter.writeNul && n < kDescriptionBuffer) {
            buffer[n] = '\0';
        }
        return ft::kOk;
    }

    FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) override {
        const std::string name = arg1 ? static_cast<const char*>(arg1) : "";
        if (recording) {
            record("OpenEx(\"" + name + "\", " + std::to_string(flags) + ")");
        }
        if (auto status = scripted("OpenEx")) {
            return *status;
        }
        const auto matching =
            std::count_if(adapters.begin(), adapters.end(),
                          [&](const Adapter& a) { return a.description == name; });
        if (matching == 0 || handle == nullptr) {
            return ft::kDeviceNotFound;
        }
        const int id = ++lastHandle_;
        open_[id] = true;
        *handle = reinterpret_cast<FtHandle>(static_cast<std::uintptr_t>(id));
        return ft::kOk;
    }

    FtStatus resetDevice(FtHandle handle) override {
        const std::string h = use(handle);
        if (recording) {
            record("ResetDevice(" + h + ")");
        }
        return scripted("ResetDevice").value_or(ft::kOk);
    }

    FtStatus purge(FtHandle handle, FtDword mask) override {
        const std::string h = use(handle);
        if (recording) {
            record("Purge(" + h + ", " + std::to_string(mask) + ")");
        }
        if (auto status = scripted("Purge")) {
            return *status;
        }
        if ((mask & ft::kPurgeRx) != 0) {
            rxQueue.clear();
        }
        return ft::kOk;
    }

    FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                   FtDword* bytesWritten) override {
        const std::string h = use(handle);
        if (recording) {
            record("Write(" + h + ", " + std::to_string(bytesToWrite) + ")");
        }
        if (auto status = scripted("Write")) {
            return *status;
        }
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        writes.emplace_back(bytes, bytes + bytesToWrite);
        *bytesWritten = writtenOverride.value_or(bytesToWrite);
        return ft::kOk;
    }

    FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) override {
        const std::string h = use(handle);
        if (recording) {
            record("GetQueueStatus(" + h + ")");
        }
        if (auto status = scripted("GetQueueStatus")) {
            return *status;
        }
        *rxBytes = reportedWaiting.value_or(static_cast<FtDword>(rxQueue.size()));
        reportedWaiting.reset();
        return ft::kOk;
    }

    FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) override {
        const std::string h = use(handle);
        if (recording) {
            record("SetTimeouts(" + h + ", " + std::to_string(readTimeout) + ", " +
                   std::to_string(writeTimeout) + ")");
        }
        return scripted("SetTimeouts").value_or(ft::kOk);
    }

    FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                  FtDword* bytesReturned) override {
        const std::string h = use(handle);
        if (recording) {
            record("Read(" + h + ", " + std::to_string(bytesToRead) + ")");
        }
        if (auto status = scripted("Read")) {
            return *status;
        }
        const std::size_t n = std::min<std::size_t>(bytesToRead, rxQueue.size());
        auto* out = static_cast<std::uint8_t*>(buffer);
        std::copy_n(rxQueue.begin(), n, out);
        rxQueue.erase(rxQueue.begin(), rxQueue.begin() + static_cast<std::ptrdiff_t>(n));
        *bytesReturned = static_cast<FtDword>(n) + readOverReport.value_or(0);
        return ft::kOk;
    }

    FtStatus close(FtHandle handle) override {
        const std::string h = use(handle);
        if (recording) {
            record("Close(" + h + ")");
        }
        open_.erase(idOf(handle));
        return scripted("Close").value_or(ft::kOk);
    }

  private:
    static std::string hex(FtDword value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
        return text;
    }
    static int idOf(FtHandle handle) {
        return static_cast<int>(reinterpret_cast<std::uintptr_t>(handle));
    }
    // Names the handle and counts it when it is not open.
    std::string use(FtHandle handle) {
        const int id = idOf(handle);
        if (open_.count(id) == 0) {
            ++staleHandleUses;
        }
        if (!recording) {
            return {};
        }
        std::string name = "h";
        name += std::to_string(id);
        return name;
    }
    void record(std::string line) { calls.push_back(std::move(line)); }
    std::optional<FtStatus> scripted(const char* call) {
        if (failures_.empty()) {
            return std::nullopt;
        }
        auto it = failures_.find(std::string_view(call));
        if (it == failures_.end()) {
            return std::nullopt;
        }
        const FtStatus status = it->second.front();
        it->second.pop_front();
        if (it->second.empty()) {
            failures_.erase(it);
        }
        return status;
    }

    std::map<std::string, std::deque<FtStatus>, std::less<>> failures_;
    std::map<int, bool> open_;
    int lastHandle_ = 0;
};

}  // namespace quarn::testing
