#include "sensor/ZelReplyDecoder.h"

#include <string>

#include "link/Frame.h"
#include "link/ReceivedFrame.h"
#include "sensor/SensorReplies.h"

namespace quarn::sensor {
namespace {

bool sameDevice(const link::DeviceIdentity& a, const link::DeviceIdentity& b) {
    return a.type == b.type && a.serial == b.serial && a.hardwareVersion == b.hardwareVersion &&
           a.firmwareVersion == b.firmwareVersion;
}

}  // namespace

void ZelReplyDecoder::decode(const link::FrameBytes& frame, std::int16_t length) {
    // Formatted only for the frames the traffic observer is told about, not
    // for the live samples that make up most of the traffic.
    const auto hex = [&] { return link::hexText(link::heldBytes(frame, length)); };

    if (!link::checksumMatches(frame, length)) {
        observer_.checksumFailed(hex());
        return;
    }

    const link::Command command = link::commandOf(frame);
    if (length < minimumReplyLength(command, identity_.firmwareVersion)) {
        // Its layout would reach past its end into an earlier frame's bytes.
        observer_.unknownReply(hex());
        return;
    }

    switch (command) {
        case link::Command::Identity:
            // Any device type is stored; the conversation accepts only the Zel sensor.
            if (const auto reply = link::decodeIdentityReply(frame, length)) {
                identity_ = *reply;
            }
            if (!sameDevice(identity_, state_.listsReportedBy)) {
                state_.readParametersPending = true;
            }
            break;
        case link::Command::Parameters:
            observer_.frameReceived(hex());
            takeParameters(readParameterReply(frame, identity_));
            break;
        case link::Command::ParametersWritten:
            observer_.frameReceived(hex());
            state_.readParametersPending = true;
            display_.writeAcknowledged();
            break;
        case link::Command::StreamingSet:
            observer_.frameReceived(hex());
            state_.streamStartPending = false;
            break;
        case link::Command::SignalSample:
            display_.showSignal(readSignalSample(frame));
            break;
        default:
            observer_.unknownReply(hex());
            break;
    }
}

void ZelReplyDecoder::takeParameters(const ParameterReply& reply) {
    display_.showParameters(reply);
    // A reply that was not taken whole leaves the read pending, so the next
    // tick asks again instead of writing lists that still hold values the
    // sensor never reported.
    if (reply.whole()) {
        state_.readParametersPending = false;
        state_.listsReportedBy = identity_;
    }
}

}  // namespace quarn::sensor
