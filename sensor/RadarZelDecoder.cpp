#include "sensor/RadarZelDecoder.h"

#include <string>

#include "link/DecodeProgMsg.h"
#include "link/Frame.h"
#include "link/ReceivedFrame.h"
#include "sensor/ReplyLayout.h"

namespace quarn::sensor {
namespace {

bool SameDevice(const link::DeviceIdentity& a, const link::DeviceIdentity& b) {
    return a.type == b.type && a.serial == b.serial && a.hardwareVersion == b.hardwareVersion &&
           a.firmwareVersion == b.firmwareVersion;
}

}  // namespace

void RadarZelDecoder::decode(const link::MsgBytes& frame, std::int16_t L) {
    const std::string hex = link::HexText(link::HeldBytes(frame, L));

    if (!link::ChecksumMatches(frame, L)) {
        LogReceived(link::ChecksumErrorLine(hex, host_));
        return;
    }

    const link::Command command = link::commandOf(frame);
    if (L < MinimumReplyLength(command, identity_.firmwareVersion)) {
        // Its layout would reach past its end into an earlier frame's bytes.
        LogReceived(kUnknownMessagePrefix + hex);
        return;
    }

    switch (command) {
        case link::Command::Identity:
            // Any device type is stored; the conversation accepts only the Zel sensor.
            link::DecodeIdentityFields(frame, identity_);
            if (!SameDevice(identity_, state_.ListsReportedBy)) {
                state_.ReadParamsPending = true;
            }
            break;
        case link::Command::Parameters:
            LogReceived(hex);
            // A reply that was not taken whole leaves the read pending, so the
            // next tick asks again instead of writing lists that still hold
            // values the sensor never reported.
            if (display_.ShowParams(frame)) {
                state_.ReadParamsPending = false;
                state_.ListsReportedBy = identity_;
            }
            break;
        case link::Command::ParametersWritten:
            LogReceived(hex);
            state_.ReadParamsPending = true;
            break;
        case link::Command::StreamingSet:
            LogReceived(hex);
            state_.StreamStartPending = false;
            break;
        case link::Command::SignalSample:
            display_.ShowSignal(frame);
            break;
        default:
            LogReceived(kUnknownMessagePrefix + hex);
            break;
    }
}

void RadarZelDecoder::LogReceived(const std::string& line) {
    link::LogMonitor(monitor_, link::kMonitorReceive, line);
}

}  // namespace quarn::sensor
