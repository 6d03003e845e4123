#include <gtest/gtest.h>

#include <vector>

#include "link/DeviceIdentity.h"
#include "sensor/ParameterTable.h"
#include "sensor/SensorReplies.h"
#include "unit/sensor/SensorFrames.h"

namespace quarn::sensor {
namespace {

using testing::makeReply;

const link::DeviceIdentity kHeightSensor{0x0101, "A123456789", 0x0102, 0x0200};

// A parameter reply carrying the given byte for one parameter and the first
// item of every other one.
ParameterReply replyWith(Parameter parameter, std::uint8_t byte,
                         const link::DeviceIdentity& identity = kHeightSensor) {
    std::vector<std::uint8_t> payload;
    for (const ParameterRow& row : kParameterTable) {
        payload.push_back(row.parameter == parameter ? byte : wireByte(row, 0));
    }
    return readParameterReply(makeReply(link::Command::Parameters, payload).bytes, identity);
}

TEST(ParameterReplyReading, EveryListTakesExactlyItsItemsInItsEncoding) {
    const std::vector<std::vector<std::uint8_t>> firstAndLastBytes = {{1, 9}, {1, 9}, {0, 2},
                                                                      {0, 2}, {0, 1}, {0, 2}};
    for (const ParameterRow& row : kParameterTable) {
        const auto& bytes = firstAndLastBytes[indexOf(row.parameter)];
        const std::int16_t last = static_cast<std::int16_t>(row.itemCount - 1);
        EXPECT_EQ(replyWith(row.parameter, bytes[0])[row.parameter], 0) << row.name;
        EXPECT_EQ(replyWith(row.parameter, bytes[1])[row.parameter], last) << row.name;
        EXPECT_TRUE(replyWith(row.parameter, bytes[1]).whole()) << row.name;
        const auto past = static_cast<std::uint8_t>(bytes[1] + 1);
        EXPECT_EQ(replyWith(row.parameter, past)[row.parameter], std::nullopt) << row.name;
        EXPECT_FALSE(replyWith(row.parameter, past).whole()) << row.name;
        if (bytes[0] > 0) {
            EXPECT_EQ(replyWith(row.parameter, 0)[row.parameter], std::nullopt) << row.name;
        }
        EXPECT_EQ(wireByte(row, last), bytes[1]) << row.name;
    }
    // A value out of range does not hide the ones after it from the record.
    const ParameterReply reply = replyWith(Parameter::RelayOnTime, 200);
    EXPECT_EQ(reply[Parameter::ReactionSpeed], 0);
}

TEST(ParameterReplyReading, TheHeightFollowsAKnownFirmwareWord) {
    // Older firmware does not carry it: the list shows its first item.
    link::DeviceIdentity older = kHeightSensor;
    older.firmwareVersion = 0x01FF;
    EXPECT_EQ(replyWith(Parameter::InstallationHeight, 2, older)[Parameter::InstallationHeight], 0);
    EXPECT_EQ(replyWith(Parameter::InstallationHeight, 99, older)[Parameter::InstallationHeight],
              0);
    EXPECT_TRUE(replyWith(Parameter::InstallationHeight, 99, older).whole());

    // Between identity cycles, or behind another device, the firmware word
    // does not tell whether the byte is a height.
    for (const link::DeviceIdentity& unknown :
         {link::DeviceIdentity{}, link::DeviceIdentity{0x0102, "A123456789", 0x0102, 0x0200}}) {
        const ParameterReply reply = replyWith(Parameter::InstallationHeight, 1, unknown);
        EXPECT_EQ(reply[Parameter::InstallationHeight], std::nullopt);
        EXPECT_EQ(reply[Parameter::HighTraffic], 0);
        EXPECT_FALSE(reply.whole());
    }

    EXPECT_EQ(minimumReplyLength(link::Command::Parameters, 0x01FF), 12);
    EXPECT_EQ(minimumReplyLength(link::Command::Parameters, 0x0200), 13);
    EXPECT_EQ(minimumReplyLength(link::Command::Parameters, 0), 12);
    EXPECT_EQ(minimumReplyLength(link::Command::SignalSample, 0x0200), 11);
    EXPECT_EQ(minimumReplyLength(link::Command::Identity, 0), 23);
    EXPECT_EQ(minimumReplyLength(link::Command::ParametersWritten, 0x0200), 0);
}

TEST(SignalSampleReading, ModeLevelWordAndAlarm) {
    const SignalSample sample =
        readSignalSample(makeReply(link::Command::SignalSample, {2, 0xFF, 0x01, 0x80}).bytes);
    EXPECT_EQ(sample.mode, 2);
    EXPECT_EQ(sample.level, 65281);
    EXPECT_TRUE(sample.alarm);
    EXPECT_FALSE(
        readSignalSample(makeReply(link::Command::SignalSample, {1, 0, 5, 0}).bytes).alarm);
}

}  // namespace
}  // namespace quarn::sensor
