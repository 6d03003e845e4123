// Feeds a long deterministic stream of noise and damaged frames through the
// whole receive path (driver queue -> UsbLink::read -> ring -> frame
// extractor -> programmer-level decoder) and checks that nothing leaves its
// bounds.

#include <gtest/gtest.h>

#include <string>

#include "link/FrameExtractor.h"
#include "link/ProgrammerReplyDecoder.h"
#include "platform/Cp1252.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::WireFrame;

class StreamMaker {
  public:
    explicit StreamMaker(std::uint32_t seed) : state_(seed) {}

    // xorshift32: cheap enough that the stream, not its generation, is what
    // the run spends its time on.
    int below(int n) {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<int>(state_ % static_cast<std::uint32_t>(n));
    }

    // Bytes rich in the three marker values.
    std::uint8_t byte() {
        const int pick = below(8);
        return pick < 3 ? static_cast<std::uint8_t>(pick + 1)
                        : static_cast<std::uint8_t>(below(256));
    }

    Bytes piece() {
        switch (below(6)) {
            case 0:
                return noise();
            case 1:
                return WireFrame(testing::IdentityReplyMessage());
            case 2:
                return mutated(WireFrame(testing::IdentityReplyMessage()));
            case 3:
                return mutated(WireFrame(randomMessage()));
            case 4:
                return WireFrame(randomMessage());
            default:
                return Bytes(static_cast<std::size_t>(1 + below(200)), 0x01);
        }
    }

  private:
    Bytes noise() {
        Bytes out(static_cast<std::size_t>(below(120)));
        for (auto& b : out) {
            b = byte();
        }
        return out;
    }

    // A message with a correct checksum and a payload of up to 100 bytes,
    // longer than a received frame can be held.
    Bytes randomMessage() {
        Bytes message(static_cast<std::size_t>(1 + below(101)));
        message[0] = below(4) == 0 ? static_cast<std::uint8_t>(Command::Identity) : byte();
        int sum = 0;
        for (std::size_t i = 1; i < message.size(); ++i) {
            message[i] = byte();
        }
        for (std::uint8_t b : message) {
            sum += b;
        }
        message.push_back(static_cast<std::uint8_t>(sum / 256));
        message.push_back(static_cast<std::uint8_t>(sum % 256));
        return message;
    }

    Bytes mutated(Bytes wire) {
        const int edits = 1 + below(3);
        for (int e = 0; e < edits && !wire.empty(); ++e) {
            const auto at = static_cast<std::ptrdiff_t>(below(static_cast<int>(wire.size())));
            switch (below(4)) {
                case 0:
                    wire[static_cast<std::size_t>(at)] ^= static_cast<std::uint8_t>(1 << below(8));
                    break;
                case 1:
                    wire.resize(static_cast<std::size_t>(at));
                    break;
                case 2:
                    wire.insert(wire.begin() + at, {0x01, static_cast<std::uint8_t>(1 + below(3))});
                    break;
                default:
                    wire.insert(wire.begin() + at, static_cast<std::size_t>(1 + below(40)), 0x01);
                    break;
            }
        }
        return wire;
    }

    std::uint32_t state_;
};

TEST(ReceivePathFuzz, NoiseAndDamagedFramesStayInBounds) {
    testing::LinkRig rig;
    rig.driver.recording = false;
    rig.showMonitor();
    StreamMaker maker(0x5EED2024U);
    FrameExtractor extractor;

    constexpr int kChunks = 250000;
    constexpr int kMonitorChunks =
        2000;  // appending to a big box is slow; enough to empty it a few times
    int frames = 0;
    int identities = 0;
    Bytes stream;
    for (int chunk = 0; chunk < kChunks; ++chunk) {
        if (chunk == kMonitorChunks) {
            rig.monitor.hide();
        }
        // Cut the stream at random points, so that frames straddle reads.
        while (stream.size() < 64) {
            const Bytes piece = maker.piece();
            stream.insert(stream.end(), piece.begin(), piece.end());
        }
        const auto cut =
            static_cast<std::ptrdiff_t>(maker.below(static_cast<int>(stream.size())) + 1);
        rig.driver.queueRx(Bytes(stream.begin(), stream.begin() + cut));
        stream.erase(stream.begin(), stream.begin() + cut);

        // Now and then the driver misbehaves or fails.
        switch (maker.below(40)) {
            case 0:
                rig.driver.failNext("Read");
                break;
            case 1:
                rig.driver.reportedWaiting = 60000;
                break;
            case 2:
                rig.driver.readOverReport = static_cast<FtDword>(maker.below(9000));
                break;
            default:
                rig.driver.readOverReport.reset();
                break;
        }

        if (rig.usb.open() != LinkStatus::Open) {
            FAIL() << "the adapter is always present";
        }
        if (rig.usb.read(rig.ring) != LinkStatus::Open) {
            rig.usb.close();
        }
        ASSERT_LE(rig.ring.bufferedBytes(), kRingSize - 1);
        ASSERT_EQ(static_cast<std::size_t>(rig.ring.bufferedBytes()) + rig.ring.freeRoom(),
                  static_cast<std::size_t>(kRingSize - 1));

        // Sometimes leave the ring unexamined for a while so it fills up.
        if (maker.below(50) == 0) {
            continue;
        }
        while (extractor.extract(rig.ring)) {
            ++frames;
            const std::int16_t length = extractor.length();
            const FrameBytes& frame = extractor.frame();
            ASSERT_GE(length, 4);
            ASSERT_LE(length, kMaxHeldFrameBytes + 1);
            ASSERT_EQ(frame[0], 0x01);
            ASSERT_EQ(frame[1], 0x02);
            ASSERT_EQ(frame[static_cast<std::size_t>(length - 1)], 0x03);
            decodeProgrammerReply(frame, length, rig.identity, rig.monitor);
            ASSERT_GE(rig.identity.type, 0);
            ASSERT_LE(rig.identity.type, 0xFFFF);
            ASSERT_GE(rig.identity.hardwareVersion, 0);
            ASSERT_LE(rig.identity.hardwareVersion, 0xFFFF);
            ASSERT_GE(rig.identity.firmwareVersion, 0);
            ASSERT_LE(rig.identity.firmwareVersion, 0xFFFF);
            if (!rig.identity.serial.empty()) {
                ASSERT_EQ(utf8Length(rig.identity.serial), 10U);
                ++identities;
                rig.identity.clear();
            }
        }
        ASSERT_EQ(rig.ring.bufferedBytes(), 0);
        if (chunk < kMonitorChunks) {
            ASSERT_LE(utf8Length(rig.monitor.receivedFrames.text()), app::kMonitorBoxLimit);
        }
    }
    // The stream did reach the decoder, and good replies got through.
    EXPECT_GT(frames, 50000);
    EXPECT_GT(identities, 10000);
    EXPECT_EQ(rig.driver.staleHandleUses, 0);
}

}  // namespace
}  // namespace quarn::link
