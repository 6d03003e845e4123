#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/TrafficMonitor.h"
#include "link/DeviceIdentity.h"
#include "sensor/ConversationState.h"
#include "sensor/SensorDisplay.h"
#include "sensor/ZelReplyDecoder.h"
#include "support/FakeHost.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::sensor {
namespace {

using testing::identityReply;
using testing::literalFrame;
using testing::makeReply;

class RecordingDisplay : public SensorDisplay {
  public:
    std::vector<ParameterReply> replies;
    std::vector<SignalSample> samples;

    void showParameters(const ParameterReply& reply) override { replies.push_back(reply); }
    void showSignal(const SignalSample& sample) override { samples.push_back(sample); }
};

class DecoderTest : public ::testing::Test {
  protected:
    DecoderTest() { monitor.show(); }

    void decode(const testing::HeldFrame& frame) { decoder.decode(frame.bytes, frame.length); }
    const std::string& rx() const { return monitor.receivedFrames.text(); }

    testing::FakeHost host;
    app::TrafficMonitor monitor{host};
    link::DeviceIdentity identity;
    ConversationState state;
    RecordingDisplay display;
    ZelReplyDecoder decoder{identity, state, display, monitor};
};

TEST_F(DecoderTest, AcknowledgementsMoveTheFlagsAndAreLogged) {
    decode(literalFrame({0x01, 0x02, 0x05, 0x00, 0x05, 0x01, 0x03}));
    EXPECT_EQ(rx(), "01020500050103\r\n");
    EXPECT_TRUE(state.readParametersPending);

    state.streamStartPending = true;
    decode(makeReply(21, {0x02}));  // any payload of an acknowledgement is ignored
    EXPECT_FALSE(state.streamStartPending);
    EXPECT_EQ(rx(), "01020500050103\r\n0102150200170103\r\n");
}

TEST_F(DecoderTest, ChecksumFailuresLogTheLineAndChangeNothing) {
    decode(literalFrame({0x01, 0x02, 0x05, 0x00, 0x06, 0x01, 0x03}));
    // The markers alone: the empty sum 0 against positions 0 and 1.
    decode(literalFrame({0x01, 0x02, 0x01, 0x03}));
    EXPECT_EQ(rx(),
              "Errore Checksum  01020500060103  12:34:56\r\n"
              "Errore Checksum  01020103  12:34:56\r\n");
    EXPECT_FALSE(state.readParametersPending);
    EXPECT_EQ(identity.type, 0);
}

TEST_F(DecoderTest, LengthsThatCannotBeAFrameAreRejectedWithoutReadingOutside) {
    testing::HeldFrame tiny = literalFrame({0x01, 0x02, 0x03});
    decode(tiny);
    tiny.length = -5;
    decode(tiny);
    testing::HeldFrame huge = makeReply(5, {});
    huge.length = 200;
    decode(huge);
    EXPECT_FALSE(state.readParametersPending);
    EXPECT_EQ(rx().find("Errore Checksum  010203  "), 0U);
    EXPECT_NE(rx().find("Errore Checksum    12:34:56"), std::string::npos);  // no bytes at all
    // The oversized one shows the whole buffer, never more.
    EXPECT_NE(rx().find("Errore Checksum  0102050005010300"), std::string::npos);
}

TEST_F(DecoderTest, CommandsOutsideTheCatalogueAreReportedOnly) {
    decode(literalFrame({0x01, 0x02, 0x07, 0x00, 0x07, 0x01, 0x03}));
    decode(makeReply(4, {5, 1, 1, 0, 0}));  // a PC-only command coming back
    EXPECT_EQ(rx(),
              "Messaggio sconosciuto  01020700070103\r\n"
              "Messaggio sconosciuto  010204050101000000"
              "0B0103\r\n");
    EXPECT_FALSE(state.readParametersPending);
    EXPECT_TRUE(display.replies.empty());
}

TEST_F(DecoderTest, IdentityReplyFillsTheRecordWithoutLogging) {
    decode(identityReply(0x0101, "A123456789", 0x0102, 0x0200));
    EXPECT_EQ(identity.type, 0x0101);
    EXPECT_EQ(identity.serial, "A123456789");
    EXPECT_EQ(identity.hardwareVersion, 0x0102);
    EXPECT_EQ(identity.firmwareVersion, 0x0200);
    EXPECT_EQ(rx(), "");

    // Any type is stored; a serial always has ten characters, NUL, spaces and
    // bytes of the upper code page half included.
    decode(identityReply(0x0202, std::string("A\0 \xE0\x80XYZ12", 10), 0xFFFF, 0));
    EXPECT_EQ(identity.type, 0x0202);
    EXPECT_EQ(identity.serial, std::string("A\0 \xC3\xA0\xE2\x82\xACXYZ12", 13));
    EXPECT_EQ(identity.hardwareVersion, 0xFFFF);
}

TEST_F(DecoderTest, FramesShorterThanTheirLayoutAreNotDecoded) {
    identity.firmwareVersion = 0x0200;
    // An identity reply that lost its firmware word, with a matching checksum.
    decode(makeReply(1, {0x01, 0x01, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 1, 2}));
    // A parameter reply without the height byte from a sensor that has it.
    decode(makeReply(3, {5, 2, 1, 0, 0}));
    // A signal sample without its alarm byte.
    decode(makeReply(23, {2, 0, 10}));
    EXPECT_EQ(identity.type, 0);
    EXPECT_TRUE(display.replies.empty());
    EXPECT_TRUE(display.samples.empty());
    EXPECT_EQ(rx().find("Messaggio sconosciuto  0102010101"), 0U);
    EXPECT_NE(rx().find("Messaggio sconosciuto  010203050201000000"), std::string::npos);
    EXPECT_NE(rx().find("Messaggio sconosciuto  01021702000A"), std::string::npos);

    // Without the height parameter five values are the whole reply.
    identity = {0x0101, "A123456789", 0x0102, 0x01FF};
    state.readParametersPending = true;
    decode(makeReply(3, {5, 2, 1, 0, 0}));
    EXPECT_EQ(display.replies.size(), 1U);
    EXPECT_FALSE(state.readParametersPending);
}

TEST_F(DecoderTest, OnlyAParameterReplyTakenWholeAnswersThePendingRead) {
    state.readParametersPending = true;
    decode(makeReply(3, {0, 2, 1, 0, 0, 0}));  // no sensitivity 0
    EXPECT_TRUE(state.readParametersPending);
    EXPECT_EQ(rx(), "01020300020100000000060103\r\n");  // logged all the same

    // The height cannot be judged while the identity is cleared.
    decode(makeReply(3, {5, 2, 1, 0, 0, 0}));
    EXPECT_TRUE(state.readParametersPending);

    identity = {0x0101, "A123456789", 0x0102, 0x0200};
    decode(makeReply(3, {5, 2, 1, 0, 0, 0}));
    EXPECT_FALSE(state.readParametersPending);
    EXPECT_EQ(state.listsReportedBy.serial, "A123456789");
    ASSERT_EQ(display.replies.size(), 3U);
    EXPECT_EQ(display.replies[0][Parameter::Sensitivity], std::nullopt);
    EXPECT_EQ(display.replies[2][Parameter::Sensitivity], 4);
}

TEST_F(DecoderTest, SignalSamplesGoToTheDisplayUnlogged) {
    decode(makeReply(23, {2, 1, 44, 0}));
    ASSERT_EQ(display.samples.size(), 1U);
    EXPECT_EQ(display.samples[0].level, 300);
    EXPECT_EQ(rx(), "");
}

TEST_F(DecoderTest, HiddenMonitorChangesOnlyTheLogging) {
    monitor.hide();
    decode(literalFrame({0x01, 0x02, 0x05, 0x00, 0x05, 0x01, 0x03}));
    decode(literalFrame({0x01, 0x02, 0x07, 0x00, 0x07, 0x01, 0x03}));
    EXPECT_TRUE(state.readParametersPending);
    monitor.show();
    EXPECT_EQ(rx(), "");
}

}  // namespace
}  // namespace quarn::sensor
