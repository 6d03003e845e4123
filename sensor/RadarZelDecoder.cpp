#include "sensor/RadarZelDecoder.h"

#include <algorithm>
#include <span>
#include <string>

#include "link/DecodeProgMsg.h"
#include "link/Frame.h"
#include "platform/Cp1252.h"
#include "sensor/ReplyLayout.h"

namespace quarn::sensor {

namespace {

constexpr std::int16_t kChecksumMode = 1;   // sum of positions 2 to L-5
constexpr std::int16_t kShortestFrame = 4;  // the two marker pairs
constexpr std::size_t kSerialStart = 5;
constexpr std::size_t kSerialLength = 10;

int Word(const link::MsgBytes& frame, std::size_t high) {
    return frame[high] * 256 + frame[high + 1];
}

// The frame's bytes as held, never more than the buffer has.
std::span<const std::uint8_t> HeldBytes(const link::MsgBytes& frame, std::int16_t L) {
    const std::size_t length =
        L <= 0 ? 0 : std::min(static_cast<std::size_t>(L), link::kMsgBufferSize);
    return {frame.data(), length};
}

// A length that cannot be a frame in the buffer (fewer bytes than the two
// marker pairs, or more than it holds) has no checksum positions to test;
// it fails the test like any other broken frame.
bool ChecksumMatches(const link::MsgBytes& frame, std::int16_t L) {
    if (L < kShortestFrame || static_cast<std::size_t>(L) > link::kMsgBufferSize) {
        return false;
    }
    const auto at = static_cast<std::size_t>(L);
    return link::CalcChecksum(frame, L, kChecksumMode) == Word(frame, at - 4);
}

}  // namespace

void RadarZelDecoder::DecodeSensorReply(const link::MsgBytes& frame, std::int16_t L) {
    const std::string hex = link::HexText(HeldBytes(frame, L));

    if (!ChecksumMatches(frame, L)) {
        LogReceived(link::ChecksumErrorLine(hex, host_));
        return;
    }

    const std::uint8_t command = frame[2];
    if (L < MinimumReplyLength(command, identity_.FwVersion)) {
        // Its layout would reach past its end into an earlier frame's bytes.
        LogReceived(kUnknownMessagePrefix + hex);
        return;
    }

    switch (command) {
        case link::MsgIdentity:
            DecodeIdentity(frame);
            break;
        case link::MsgParams:
            LogReceived(hex);
            // A reply that was not taken whole leaves the read pending, so the
            // next tick asks again instead of writing lists that still hold
            // values the sensor never reported.
            if (display_.ShowParams(frame)) {
                state_.ReadParamsPending = false;
            }
            break;
        case link::MsgSetParamsAck:
            LogReceived(hex);
            state_.ReadParamsPending = true;
            break;
        case link::MsgStreamAck:
            LogReceived(hex);
            state_.StreamStartPending = false;
            break;
        case link::MsgSignal:
            display_.ShowSignal(frame);
            break;
        default:
            LogReceived(kUnknownMessagePrefix + hex);
            break;
    }
}

// Any device type is stored; the conversation accepts only the Zel sensor.
void RadarZelDecoder::DecodeIdentity(const link::MsgBytes& frame) {
    identity_.DeviceType = Word(frame, 3);
    identity_.DeviceSerial =
        Cp1252ToUtf8(std::span<const std::uint8_t>(frame.data() + kSerialStart, kSerialLength));
    identity_.HwVersion = Word(frame, 15);
    identity_.FwVersion = Word(frame, 17);
}

void RadarZelDecoder::LogReceived(const std::string& line) {
    link::LogMonitor(monitor_, link::kMonitorReceive, line);
}

}  // namespace quarn::sensor
