#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/ProgrammerReplyDecoder.h"
#include "link/ReceiveCycle.h"
#include "unit/link/LinkRig.h"

namespace quarn::link {
namespace {

using testing::Bytes;
using testing::IdentityReplyMessage;
using testing::LinkRig;
using testing::WireFrame;

constexpr const char* kIdentityHex = "01020101014142434445464748494A0100020002BD0103";

class RecordingSensorDecoder : public SensorReplyDecoder {
  public:
    void decode(const FrameBytes& frame, std::int16_t length) override {
        frames.emplace_back(frame.begin(), frame.begin() + length);
    }
    std::vector<Bytes> frames;
};

TEST(ProgrammerReplyDecoder, IdentityReplyFillsTheIdentityAndIsLogged) {
    LinkRig rig;
    rig.showMonitor();
    rig.driver.queueRx(WireFrame(IdentityReplyMessage()));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 257);
    EXPECT_EQ(rig.identity.serial, "ABCDEFGHIJ");
    EXPECT_EQ(rig.identity.hardwareVersion, 256);
    EXPECT_EQ(rig.identity.firmwareVersion, 512);
    EXPECT_EQ(std::string(kIdentityHex).size(), 46U);
    EXPECT_EQ(rig.monitor.receivedFrames.text(), std::string(kIdentityHex) + "\r\n");
    EXPECT_TRUE(rig.monitor.sentFrames.text().empty());
}

TEST(ProgrammerReplyDecoder, CorruptedReplyLogsTheChecksumLineAndKeepsTheIdentity) {
    LinkRig rig;
    rig.showMonitor();
    rig.identity.type = 99;
    Bytes message = IdentityReplyMessage();
    message[5] = 'X';  // serial's third character, checksum left as it was
    rig.driver.queueRx(WireFrame(message));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 99);
    EXPECT_TRUE(rig.identity.serial.empty());
    EXPECT_EQ(rig.monitor.receivedFrames.text(),
              "Errore Checksum  01020101014142584445464748494A0100020002BD0103  12:34:56\r\n");
}

TEST(ProgrammerReplyDecoder, ShortestFrameFailsItsChecksum) {
    LinkRig rig;
    rig.showMonitor();
    rig.driver.queueRx({0x01, 0x02, 0x01, 0x03});
    rig.cycle.receive();
    EXPECT_EQ(rig.monitor.receivedFrames.text(), "Errore Checksum  01020103  12:34:56\r\n");
}

TEST(ProgrammerReplyDecoder, OtherCommandsAreIgnoredWithoutATrace) {
    LinkRig rig;
    rig.showMonitor();
    rig.driver.queueRx(WireFrame({0x03, 0x10, 0x00, 0x13}));
    rig.cycle.receive();
    EXPECT_TRUE(rig.monitor.receivedFrames.text().empty());
    EXPECT_EQ(rig.identity.type, 0);
}

TEST(ProgrammerReplyDecoder, ShortIdentityReplyIsLoggedButNotDecodedFromStaleBytes) {
    LinkRig rig;
    rig.showMonitor();
    // A full reply first leaves its bytes in the frame buffer ...
    rig.driver.queueRx(WireFrame(IdentityReplyMessage()));
    rig.cycle.receive();
    rig.identity.clear();
    // ... then a checksum-correct identity reply carrying only the type.
    rig.driver.queueRx(WireFrame({0x01, 0x01, 0x01, 0x00, 0x03}));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 0);
    EXPECT_TRUE(rig.identity.serial.empty());
    EXPECT_EQ(rig.monitor.receivedFrames.text(), std::string(kIdentityHex) + "\r\n" +
                                                     "01020101010003"
                                                     "0103\r\n");
}

// An identity reply's message (command and payload, cut to make the held
// frame length bytes long) with its checksum: valid at any length.
Bytes IdentityMessageForLength(std::size_t length) {
    Bytes message = IdentityReplyMessage();
    message.resize(length - 6);  // markers and checksum take six of the frame's bytes
    return testing::WithChecksum(message);
}

// The identity of a device seen before, which a reply too short to decode leaves in place.
DeviceIdentity EarlierIdentity() {
    DeviceIdentity identity;
    identity.type = 0x0101;
    identity.serial = "EARLIER001";
    identity.hardwareVersion = 0x0100;
    identity.firmwareVersion = 0x0100;
    return identity;
}

void ExpectEarlierIdentity(const DeviceIdentity& identity) {
    EXPECT_EQ(identity.serial, "EARLIER001");
    EXPECT_EQ(identity.hardwareVersion, 0x0100);
    EXPECT_EQ(identity.firmwareVersion, 0x0100);
}

void ExpectFullReplyIdentity(const DeviceIdentity& identity) {
    EXPECT_EQ(identity.type, 0x0101);
    EXPECT_EQ(identity.serial, "ABCDEFGHIJ");
    EXPECT_EQ(identity.hardwareVersion, 0x0100);
    EXPECT_EQ(identity.firmwareVersion, 0x0200);
}

TEST(ProgrammerReplyDecoder, IdentityReplyIsDecodedFrom23BytesNot22) {
    LinkRig rig;
    rig.showMonitor();
    for (const std::size_t length : {22U, 23U}) {
        Bytes held{0x01, 0x02};
        const Bytes message = IdentityMessageForLength(length);
        held.insert(held.end(), message.begin(), message.end());
        held.insert(held.end(), {0x01, 0x03});
        ASSERT_EQ(held.size(), length);
        FrameBytes frame{};
        frame.fill(0xEE);  // what earlier frames left past this one's end
        std::copy(held.begin(), held.end(), frame.begin());

        DeviceIdentity identity = EarlierIdentity();
        decodeProgrammerReply(frame, static_cast<std::int16_t>(length), identity, rig.monitor);
        if (length == 22) {
            ExpectEarlierIdentity(identity);
        } else {
            ExpectFullReplyIdentity(identity);
        }
    }
    // Both were shown, the short one too.
    EXPECT_EQ(
        rig.monitor.receivedFrames.text(),
        "01020101014142434445464748494A01000202BD0103\r\n" + std::string(kIdentityHex) + "\r\n");
}

TEST(ReceiveCycle, IdentityReplyOneByteShortLeavesTheIdentityAndTheFullOneFillsIt) {
    LinkRig rig;
    rig.identity = EarlierIdentity();
    rig.driver.queueRx(WireFrame(IdentityMessageForLength(22)));
    rig.cycle.receive();
    ExpectEarlierIdentity(rig.identity);
    rig.driver.queueRx(WireFrame(IdentityMessageForLength(23)));
    rig.cycle.receive();
    ExpectFullReplyIdentity(rig.identity);
}

TEST(ProgrammerReplyDecoder, SerialBytesAreOneCharacterEachNulIncluded) {
    LinkRig rig;
    rig.driver.queueRx(
        testing::WireFrame(testing::WithChecksum({0x01, 0x01, 0x01, 'A', 0x00, 0xE9, 0x80, 0x01,
                                                  'Z', ' ', ' ', ' ', ' ', 0, 0, 0xFF, 0xFF})));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.serial, std::string("A\0\xC3\xA9\xE2\x82\xAC\x01Z    ", 13));
    EXPECT_EQ(rig.identity.firmwareVersion, 65535);
    // A length the buffer cannot hold fails the checksum test rather than being read past.
    const FrameBytes frame{};
    decodeProgrammerReply(frame, 30000, rig.identity, rig.monitor);
    decodeProgrammerReply(frame, -4, rig.identity, rig.monitor);
}

TEST(ReceiveCycle, FramesOfOneReadAreDispatchedInOrderWithinTheCycle) {
    LinkRig rig;
    RecordingSensorDecoder sensor;
    rig.cycle.setSensorDecoder(&sensor);
    rig.activeWindow = link::ActiveWindow::Sensor;
    const Bytes first = WireFrame({0x05, 0x00, 0x05});
    const Bytes second = WireFrame({0x17, 0x20, 0x00, 0x37});
    Bytes both = first;
    both.insert(both.end(), second.begin(), second.end());
    rig.driver.queueRx(both);
    rig.cycle.receive();
    ASSERT_EQ(sensor.frames.size(), 2U);
    EXPECT_EQ(sensor.frames[0], first);
    EXPECT_EQ(sensor.frames[1], second);
    EXPECT_EQ(rig.identity.type, 0);  // the programmer decoder saw nothing
}

TEST(ReceiveCycle, FrameSplitOverTwoReadsIsDispatchedInTheLaterCycle) {
    LinkRig rig;
    const Bytes wire = WireFrame(IdentityReplyMessage());
    rig.driver.queueRx(Bytes(wire.begin(), wire.begin() + 10));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 0);
    rig.driver.queueRx(Bytes(wire.begin() + 10, wire.end()));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 257);
}

TEST(ReceiveCycle, MissingSensorDecoderDropsFrames) {
    LinkRig rig;
    rig.activeWindow =
        link::ActiveWindow::Sensor;  // sensor mode before the sensor decoder is attached
    rig.driver.queueRx(WireFrame(IdentityReplyMessage()));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 0);
    EXPECT_EQ(rig.ring.bufferedBytes(), 0);
}

TEST(ReceiveCycle, FailedReadClosesTheLinkAndKeepsTheRing) {
    LinkRig rig;
    const Bytes wire = WireFrame(IdentityReplyMessage());
    rig.driver.queueRx(wire);
    rig.driver.failNext("Read");
    rig.cycle.receive();
    EXPECT_FALSE(rig.usb.isOpen());
    EXPECT_EQ(rig.driver.calls.back(), "Close(h1)");
    EXPECT_EQ(rig.identity.type, 0);

    // Bytes already in the ring wait for the next good cycle; the next open
    // enumerates afresh and gets a new handle.
    testing::PutInRing(rig.ring, wire);
    rig.driver.failNext("GetQueueStatus");
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 0);
    EXPECT_EQ(rig.ring.bufferedBytes(), static_cast<std::int16_t>(wire.size()));

    rig.driver.rxQueue.clear();
    rig.driver.clearCalls();
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 257);
    EXPECT_EQ(rig.driver.calls.front(), "ListDevices(&count, null, 0x80000000)");
    EXPECT_EQ(rig.driver.staleHandleUses, 0);
}

TEST(ReceiveCycle, NoAdapterMeansNoReadAndNoExtraction) {
    LinkRig rig;
    rig.driver.adapters.clear();
    testing::PutInRing(rig.ring, WireFrame(IdentityReplyMessage()));
    rig.cycle.receive();
    EXPECT_EQ(rig.identity.type, 0);
    EXPECT_EQ(rig.driver.calls.size(), 1U);  // only the count query
}

}  // namespace
}  // namespace quarn::link
