#pragma once
// A simulated bus on a virtual clock with one adapter opened through the
// driver interface, as the link would use it, plus helpers to send requests
// and take the replies apart.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/VirtualClock.h"
#include "sim/SimFrameCodec.h"
#include "sim/SimulatedBus.h"

namespace quarn::sim::testing {

using Bytes = std::vector<std::uint8_t>;

struct SimHarness {
    VirtualClock clock;
    SimulatedBus bus{clock};
    Adapter& adapter = bus.plugAdapter("QuarnProg");
    FtHandle handle = nullptr;

    explicit SimHarness(bool withSensor = true, DeviceConfig config = {}) {
        if (withSensor) {
            adapter.attachDevice(config);
        }
        char name[] = "QuarnProg";
        EXPECT_EQ(bus.openEx(name, ft::kOpenByDescription, &handle), ft::kOk);
    }

    void writeRaw(Bytes wire) {
        FtDword written = 0;
        ASSERT_EQ(bus.write(handle, wire.data(), static_cast<FtDword>(wire.size()), &written),
                  ft::kOk);
        ASSERT_EQ(written, wire.size());
    }

    void request(std::uint8_t command, Bytes payload = {}) {
        writeRaw(encodeFrame(command, payload));
    }

    FtDword waiting() {
        FtDword n = 0;
        EXPECT_EQ(bus.getQueueStatus(handle, &n), ft::kOk);
        return n;
    }

    Bytes readAll() {
        Bytes bytes(waiting());
        FtDword got = 0;
        EXPECT_EQ(bus.read(handle, bytes.data(), static_cast<FtDword>(bytes.size()), &got),
                  ft::kOk);
        bytes.resize(got);
        return bytes;
    }

    // Lets the reply delay pass, then takes every frame that has arrived.
    std::vector<ReceivedFrame> replies(std::int64_t waitMs = Adapter::kDefaultReplyDelayMs) {
        clock.advance(waitMs);
        return decode(readAll());
    }

    static std::vector<ReceivedFrame> decode(const Bytes& wire) {
        FrameDecoder decoder;
        std::vector<ReceivedFrame> frames;
        for (std::uint8_t b : wire) {
            if (auto frame = decoder.feed(b)) {
                frames.push_back(*frame);
            }
        }
        return frames;
    }
};

}  // namespace quarn::sim::testing
