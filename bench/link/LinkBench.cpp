// Throughput of the receive path: the frame extractor alone on well-formed
// frames and on noise, and the whole 50 ms receive cycle through a driver
// that always has bytes waiting.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "app/TrafficMonitor.h"
#include "link/DeviceIdentity.h"
#include "link/FrameExtractor.h"
#include "link/ReceiveCycle.h"
#include "link/ReceiveRing.h"
#include "link/UsbLink.h"
#include "support/FakeHost.h"
#include "unit/link/LinkRig.h"

namespace {

using quarn::FtDword;
using quarn::FtHandle;
using quarn::FtStatus;
using quarn::testing::Bytes;
namespace link = quarn::link;
namespace ft = quarn::ft;

Bytes IdentityReplyWire() {
    return quarn::testing::WireFrame(quarn::testing::IdentityReplyMessage());
}

Bytes FrameStream(std::size_t size) {
    const Bytes frame = IdentityReplyWire();
    Bytes stream;
    while (stream.size() < size) {
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    stream.resize(size);
    return stream;
}

Bytes Noise(std::size_t size) {
    Bytes stream(size);
    std::uint32_t x = 0x12345678U;
    for (auto& b : stream) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b = static_cast<std::uint8_t>(x);
    }
    return stream;
}

// Fills the ring with as much of the stream as it holds and extracts it all,
// every iteration. The extractor carries a frame cut at the stream's end
// over into the next iteration, as it would from one read to the next.
void ExtractOverRing(benchmark::State& state, const Bytes& stream) {
    link::ReceiveRing ring;
    link::FrameExtractor extractor;
    const std::size_t n = std::min<std::size_t>(stream.size(), link::kRingSize - 1);
    const std::span<const std::uint8_t> bytes(stream.data(), n);
    std::int64_t frames = 0;
    for (auto _ : state) {
        ring.append(bytes);
        while (extractor.extract(ring)) {
            ++frames;
        }
        benchmark::DoNotOptimize(extractor.frame().data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(n));
    state.counters["frames/iter"] =
        benchmark::Counter(static_cast<double>(frames) / static_cast<double>(state.iterations()));
}

void BM_FrameExtractor_Frames(benchmark::State& state) {
    ExtractOverRing(state, FrameStream(1999));
}
BENCHMARK(BM_FrameExtractor_Frames);

void BM_FrameExtractor_Noise(benchmark::State& state) {
    ExtractOverRing(state, Noise(1999));
}
BENCHMARK(BM_FrameExtractor_Noise);

// A driver whose queue never runs dry: it serves an endless repetition of
// one byte stream, the way a chatty device would keep the adapter busy.
class StreamingDriver : public quarn::D2xxDriver {
  public:
    explicit StreamingDriver(Bytes stream) : stream_(std::move(stream)) {}

    FtStatus listDevices(void* arg1, void* arg2, FtDword flags) override {
        if (flags == ft::kListNumberOnly) {
            *static_cast<FtDword*>(arg1) = 1;
        } else {
            std::memcpy(arg2, "QuarnProg", sizeof "QuarnProg");
        }
        return ft::kOk;
    }
    FtStatus openEx(void*, FtDword, FtHandle* handle) override {
        *handle = this;
        return ft::kOk;
    }
    FtStatus resetDevice(FtHandle) override { return ft::kOk; }
    FtStatus purge(FtHandle, FtDword) override { return ft::kOk; }
    FtStatus write(FtHandle, void*, FtDword n, FtDword* written) override {
        *written = n;
        return ft::kOk;
    }
    FtStatus getQueueStatus(FtHandle, FtDword* rxBytes) override {
        *rxBytes = 4000;
        return ft::kOk;
    }
    FtStatus setTimeouts(FtHandle, FtDword, FtDword) override { return ft::kOk; }
    FtStatus read(FtHandle, void* buffer, FtDword n, FtDword* got) override {
        auto* out = static_cast<std::uint8_t*>(buffer);
        for (FtDword copied = 0; copied < n;) {
            const std::size_t chunk = std::min<std::size_t>(n - copied, stream_.size() - pos_);
            std::memcpy(out + copied, stream_.data() + pos_, chunk);
            copied += static_cast<FtDword>(chunk);
            pos_ = (pos_ + chunk) % stream_.size();
        }
        *got = n;
        return ft::kOk;
    }
    FtStatus close(FtHandle) override { return ft::kOk; }

  private:
    Bytes stream_;
    std::size_t pos_ = 0;
};

// One full receive cycle per iteration: 1999 bytes from the driver into the
// ring, every frame extracted and decoded by the programmer-level decoder.
void BM_ReceiveCycle_IdentityReplies(benchmark::State& state) {
    StreamingDriver driver(IdentityReplyWire());
    link::UsbLink usb(driver);
    link::ReceiveRing ring;
    const link::ActiveWindow activeWindow = link::ActiveWindow::Start;
    link::DeviceIdentity identity;
    quarn::testing::FakeHost host;
    quarn::app::TrafficMonitor monitor{host};  // hidden, as in normal use
    link::ReceiveCycle cycle(usb, ring, activeWindow, identity, monitor);
    for (auto _ : state) {
        cycle.receive();
        benchmark::DoNotOptimize(identity.type);
    }
    state.SetBytesProcessed(state.iterations() * (link::kRingSize - 1));
}
BENCHMARK(BM_ReceiveCycle_IdentityReplies);

}  // namespace

BENCHMARK_MAIN();
