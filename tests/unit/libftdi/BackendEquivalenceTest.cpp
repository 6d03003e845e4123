// The libftdi backend over the stand-in must be indistinguishable from the
// simulated bus to the link: the same bytes read at the same ticks, the same
// frames reaching the programmer at the same times, through streaming,
// requests with their purges, a noise burst and an adapter pulled out and
// put back.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <tuple>

#include "link/UsbLink.h"
#include "sim/SimFrameCodec.h"
#include "unit/libftdi/LibFtdiRig.h"

namespace quarn::libftdi::testing {
namespace {

constexpr std::int64_t kRunMs = 12000;
constexpr std::int64_t kStepMs = 10;
constexpr std::int64_t kReadEveryMs = 50;

struct TimedBytes {
    std::int64_t atMs;
    Bytes bytes;
    bool operator==(const TimedBytes&) const = default;
};

struct Outcome {
    std::vector<TimedBytes> reads;
    std::vector<std::tuple<std::int64_t, std::uint8_t, Bytes>> framesAtProgrammer;
    std::vector<std::pair<std::int64_t, link::LinkStatus>> statuses;
};

class ReadLog final : public link::ReadTarget {
  public:
    explicit ReadLog(const Clock& clock) : clock_(clock) {}
    // Less than a noise burst brings between two reads, so that bytes wait
    // in the driver when the next request purges it.
    std::size_t freeRoom() const override { return 100; }
    void append(std::span<const std::uint8_t> bytes) override {
        reads.push_back({clock_.nowMs(), Bytes(bytes.begin(), bytes.end())});
    }
    std::vector<TimedBytes> reads;

  private:
    const Clock& clock_;
};

// One programmer with a streaming sensor, driven through the link the way
// the application drives it.
Outcome runSession(bool viaLibftdi) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    sim::Adapter& adapter = bus.plugAdapter("QuarnProg");
    sim::DeviceConfig sensor;
    sensor.seed = 7;
    adapter.attachDevice(sensor);
    adapter.setReplyDelayMs(45);

    std::optional<StandInAttachment> attachment;
    std::unique_ptr<LibFtdiDriver> libftdi;
    if (viaLibftdi) {
        attachment.emplace(bus);
        libftdi = std::make_unique<LibFtdiDriver>();
    }
    D2xxDriver& driver = viaLibftdi ? static_cast<D2xxDriver&>(*libftdi) : bus;
    link::UsbLink link(driver);
    ReadLog log(clock);
    Outcome outcome;
    auto note = [&](link::LinkStatus status) {
        if (status != link::LinkStatus::Open) {
            outcome.statuses.emplace_back(clock.nowMs(), status);
        }
        return status;
    };
    auto send = [&](std::uint8_t command, const Bytes& payload) {
        const Bytes frame = sim::encodeFrame(command, payload);
        note(link.write(frame, static_cast<std::int16_t>(frame.size())));
    };

    for (std::int64_t now = 0; now < kRunMs; now += kStepMs) {
        clock.advanceTo(now);
        if (!link.isOpen()) {
            note(link.open());
        }
        if (now == 100) {
            send(20, {2});  // stream start
        }
        if (now % 600 == 300) {
            send(0, {});  // identity
        }
        if (now % 1000 == 500) {
            send(2, {});  // read the parameters
        }
        if (now == 5000) {
            send(4, {7, 1, 1, 0, 0, 0});
        }
        if (now == 2000) {
            adapter.setNoiseFlood(3000);
        }
        if (now == 4000) {
            adapter.setNoiseFlood(0);
        }
        if (now == 7000) {
            bus.unplug(adapter);
        }
        if (now == 7300) {
            bus.replug(adapter);
            send(20, {2});
        }
        if (now % kReadEveryMs == 0 && note(link.read(log)) == link::LinkStatus::DriverFailed) {
            link.close();
        }
    }
    link.close();
    outcome.reads = log.reads;
    for (const sim::ReceivedFrame& frame : adapter.receivedFrames()) {
        outcome.framesAtProgrammer.emplace_back(frame.timeMs, frame.command, frame.payload);
    }
    return outcome;
}

TEST(BackendEquivalence, TheLinkSeesTheSameBytesAtTheSameTicksOnBothBackends) {
    const Outcome simulator = runSession(false);
    const Outcome libftdi = runSession(true);

    // The session did what it is meant to exercise.
    ASSERT_GT(simulator.reads.size(), 100U);
    ASSERT_GT(simulator.framesAtProgrammer.size(), 20U);
    ASSERT_FALSE(simulator.statuses.empty()) << "the adapter was pulled out";

    EXPECT_EQ(libftdi.statuses, simulator.statuses);
    EXPECT_EQ(libftdi.framesAtProgrammer, simulator.framesAtProgrammer);
    ASSERT_EQ(libftdi.reads.size(), simulator.reads.size());
    for (std::size_t i = 0; i < simulator.reads.size(); ++i) {
        ASSERT_EQ(libftdi.reads[i], simulator.reads[i]) << "read " << i;
    }
}

}  // namespace
}  // namespace quarn::libftdi::testing
