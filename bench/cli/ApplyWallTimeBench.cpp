// quarnsoft-cli apply on the simulated sensor: how long the technician waits
// from the sensor's first identity reply to the verified outcome, in real
// time, against the floor the protocol itself sets (the 500 ms supervision,
// the sensor window's opening delay, the 100 ms conversation tick, the 50 ms
// receive tick and the sensor's reply time), which is the same run on a
// clock that never waits.
//
//   BM_ApplyProtocolFloor  the run on instant time; its time is the CPU the
//                          whole program takes, its counters the floor and
//                          when each step of the conversation came (ms after
//                          the identity reply).
//   BM_ApplyWallTime       the run in real time; its time is the wall time
//                          from identity reply to verified, beside the floor
//                          and their ratio.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "link/Commands.h"
#include "platform/D2xxDriver.h"
#include "platform/RealTimeRunner.h"
#include "platform/VirtualClock.h"
#include "sim/SimFrameCodec.h"
#include "sim/SimulatedBus.h"

namespace quarn::bench {
namespace {

using link::Command;
using SteadyClock = std::chrono::steady_clock;

// Real time that passes only when slept: the floor run never waits.
class InstantTime final : public RealTime {
  public:
    std::int64_t nowMs() override { return nowMs_; }
    void sleepUntilMs(std::int64_t timeMs) override { nowMs_ = std::max(nowMs_, timeMs); }

  private:
    std::int64_t nowMs_ = 0;
};

// When something happened, on the program's clock and on the wall.
struct Moment {
    std::int64_t clockMs = 0;
    SteadyClock::time_point wall;
};

// Passes every call on to the simulated bus and notes when each frame
// first crossed the wire in either direction, from the first identity
// reply on.
class WatchingDriver final : public D2xxDriver {
  public:
    WatchingDriver(D2xxDriver& inner, const Clock& clock) : inner_(inner), clock_(clock) {}

    // The n-th (from 0) frame of that command since the identity reply.
    std::optional<Moment> frame(Command command, std::size_t n = 0) const {
        const auto& seen = seen_[link::commandByte(command)];
        return n < seen.size() ? std::optional<Moment>(seen[n]) : std::nullopt;
    }
    const std::optional<Moment>& identityReply() const { return identityReply_; }

    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override {
        return inner_.listDevices(arg1, arg2, flags);
    }
    FtStatus openEx(void* arg1, FtDword flags, FtHandle* handle) override {
        return inner_.openEx(arg1, flags, handle);
    }
    FtStatus resetDevice(FtHandle handle) override { return inner_.resetDevice(handle); }
    FtStatus purge(FtHandle handle, FtDword mask) override { return inner_.purge(handle, mask); }
    FtStatus write(FtHandle handle, void* buffer, FtDword bytesToWrite,
                   FtDword* bytesWritten) override {
        const FtStatus status = inner_.write(handle, buffer, bytesToWrite, bytesWritten);
        if (status == ft::kOk) {
            watch(requests_, buffer, *bytesWritten);
        }
        return status;
    }
    FtStatus getQueueStatus(FtHandle handle, FtDword* rxBytes) override {
        return inner_.getQueueStatus(handle, rxBytes);
    }
    FtStatus setTimeouts(FtHandle handle, FtDword readTimeout, FtDword writeTimeout) override {
        return inner_.setTimeouts(handle, readTimeout, writeTimeout);
    }
    FtStatus read(FtHandle handle, void* buffer, FtDword bytesToRead,
                  FtDword* bytesReturned) override {
        const FtStatus status = inner_.read(handle, buffer, bytesToRead, bytesReturned);
        if (status == ft::kOk) {
            watch(replies_, buffer, *bytesReturned);
        }
        return status;
    }
    FtStatus close(FtHandle handle) override { return inner_.close(handle); }

  private:
    void watch(sim::FrameDecoder& decoder, const void* buffer, FtDword length) {
        const auto* bytes = static_cast<const std::uint8_t*>(buffer);
        for (FtDword i = 0; i < length; ++i) {
            if (const auto frame = decoder.feed(bytes[i])) {
                note(frame->command);
            }
        }
    }
    void note(std::uint8_t command) {
        const Moment now{clock_.nowMs(), SteadyClock::now()};
        if (!identityReply_) {
            if (command == link::commandByte(Command::Identity)) {
                identityReply_ = now;
            }
            return;
        }
        seen_[command].push_back(now);
    }

    D2xxDriver& inner_;
    const Clock& clock_;
    sim::FrameDecoder requests_;
    sim::FrameDecoder replies_;
    std::optional<Moment> identityReply_;
    std::array<std::vector<Moment>, 256> seen_;
};

// Notes the moment the program first writes its result.
class StampingBuffer final : public std::stringbuf {
  public:
    explicit StampingBuffer(const Clock& clock) : clock_(clock) {}
    const std::optional<Moment>& firstOutput() const { return first_; }

  protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        stamp();
        return std::stringbuf::xsputn(text, count);
    }
    int_type overflow(int_type c) override {
        stamp();
        return std::stringbuf::overflow(c);
    }

  private:
    void stamp() {
        if (!first_) {
            first_ = Moment{clock_.nowMs(), SteadyClock::now()};
        }
    }
    const Clock& clock_;
    std::optional<Moment> first_;
};

// The application directory and the file to apply: every value differs from
// what the simulated sensor holds, so all of them are written.
class ApplyFiles {
  public:
    ApplyFiles() {
        directory_ =
            std::filesystem::temp_directory_path() /
            ("quarn-bench-cli-" + std::to_string(SteadyClock::now().time_since_epoch().count()));
        std::filesystem::create_directories(directory_);
        std::filesystem::copy_file(QUARN_STRING_TABLE_SOURCE, directory_ / "StringTable.txt");
        std::ofstream(file()) << R"({"format": "quarnsoft-parameters", "version": 1,
  "saved": "2026-12-07T15:30:00+01:00",
  "device": {"type": "0x0101", "serial": "A123456789", "hardware": "0x0102", "firmware": "0x0200"},
  "parameters": {"sensitivity": 8, "relay_on_time_s": 3.0, "reaction_speed": "fast",
                 "mains_filter": "60Hz", "high_traffic": true, "installation_height_m": 3.50}}
)";
    }
    ~ApplyFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
    ApplyFiles(const ApplyFiles&) = delete;
    ApplyFiles& operator=(const ApplyFiles&) = delete;

    std::string directory() const { return directory_.string(); }
    std::string file() const { return (directory_ / "apply.json").string(); }

  private:
    std::filesystem::path directory_;
};

// One apply, from the program's start to its exit, on the given real time.
struct ApplyRun {
    int status = -1;
    std::string out;
    std::string err;
    std::optional<Moment> identityReply;
    std::optional<Moment> verified;
    // Steps of the conversation after the identity reply.
    std::optional<Moment> firstRead;      // the sensor window's first read request
    std::optional<Moment> write;          // the parameter write
    std::optional<Moment> acknowledged;   // its acknowledgement
    std::optional<Moment> readBack;       // the parameters read back after it
    std::optional<Moment> identityAgain;  // the next identity answer

    double spanMs(bool wall) const {
        if (!identityReply || !verified) {
            return -1;
        }
        if (wall) {
            return std::chrono::duration<double, std::milli>(verified->wall - identityReply->wall)
                .count();
        }
        return static_cast<double>(verified->clockMs - identityReply->clockMs);
    }
    double afterIdentityMs(const std::optional<Moment>& moment) const {
        return moment && identityReply
                   ? static_cast<double>(moment->clockMs - identityReply->clockMs)
                   : -1;
    }
};

ApplyRun runApply(const ApplyFiles& files, RealTime& realTime) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    adapter.attachDevice(sim::DeviceConfig{});
    WatchingDriver driver(bus, clock);
    StampingBuffer outBuffer(clock);
    std::ostream out(&outBuffer);
    std::ostringstream err;

    const std::string file = files.file();
    const std::vector<const char*> words{"quarnsoft-cli", "--driver", "simulate", "apply",
                                         file.c_str()};
    const cli::ProgramContext context{
        clock,
        realTime,
        [&driver](backend::DriverChoice, std::string&) -> D2xxDriver* { return &driver; },
        files.directory(),
        [] { return std::chrono::system_clock::time_point{}; },
        nullptr,
        out,
        err};

    ApplyRun run;
    run.status = cli::runProgram(static_cast<int>(words.size()), words.data(), context);
    run.out = outBuffer.str();
    run.err = err.str();
    run.identityReply = driver.identityReply();
    run.verified = outBuffer.firstOutput();
    run.firstRead = driver.frame(Command::GetParameters);
    run.write = driver.frame(Command::SetParameters);
    run.acknowledged = driver.frame(Command::ParametersWritten);
    // The read that follows the acknowledgement, and the identity answer
    // that follows that read.
    for (std::size_t n = 0; auto reply = driver.frame(Command::Parameters, n); ++n) {
        if (run.acknowledged && reply->clockMs >= run.acknowledged->clockMs) {
            run.readBack = reply;
            break;
        }
    }
    for (std::size_t n = 0; auto reply = driver.frame(Command::Identity, n); ++n) {
        if (run.readBack && reply->clockMs >= run.readBack->clockMs) {
            run.identityAgain = reply;
            break;
        }
    }
    return run;
}

bool verified(const ApplyRun& run, benchmark::State& state) {
    if (run.status != cli::kExitDone || run.out.find("verified") == std::string::npos ||
        run.spanMs(false) < 0) {
        state.SkipWithError(
            ("apply not verified: status " + std::to_string(run.status) + ", " + run.err).c_str());
        return false;
    }
    return true;
}

void BM_ApplyProtocolFloor(benchmark::State& state) {
    const ApplyFiles files;
    ApplyRun last;
    for (auto _ : state) {
        InstantTime instant;
        last = runApply(files, instant);
        if (!verified(last, state)) {
            return;
        }
    }
    state.counters["floor_ms"] = last.spanMs(false);
    state.counters["first_read_ms"] = last.afterIdentityMs(last.firstRead);
    state.counters["write_ms"] = last.afterIdentityMs(last.write);
    state.counters["ack_ms"] = last.afterIdentityMs(last.acknowledged);
    state.counters["read_back_ms"] = last.afterIdentityMs(last.readBack);
    state.counters["identity_again_ms"] = last.afterIdentityMs(last.identityAgain);
}
BENCHMARK(BM_ApplyProtocolFloor)->Unit(benchmark::kMillisecond);

void BM_ApplyWallTime(benchmark::State& state) {
    const ApplyFiles files;
    InstantTime instant;
    const ApplyRun floorRun = runApply(files, instant);
    if (!verified(floorRun, state)) {
        return;
    }
    const double floorMs = floorRun.spanMs(false);
    double wallSumMs = 0;
    double worstMs = 0;
    for (auto _ : state) {
        SteadyRealTime realTime;
        const ApplyRun run = runApply(files, realTime);
        if (!verified(run, state)) {
            return;
        }
        const double wallMs = run.spanMs(true);
        wallSumMs += wallMs;
        worstMs = std::max(worstMs, wallMs);
        state.SetIterationTime(wallMs / 1000.0);
    }
    const double meanMs = wallSumMs / static_cast<double>(state.iterations());
    state.counters["wall_ms"] = meanMs;
    state.counters["worst_wall_ms"] = worstMs;
    state.counters["floor_ms"] = floorMs;
    state.counters["wall_over_floor"] = meanMs / floorMs;
}
BENCHMARK(BM_ApplyWallTime)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quarn::bench

BENCHMARK_MAIN();
