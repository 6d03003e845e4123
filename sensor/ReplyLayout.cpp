#include "sensor/ReplyLayout.h"

#include "link/Commands.h"
#include "link/DeviceIdentity.h"
#include "link/ReceivedFrame.h"

namespace quarn::sensor {

std::int16_t minimumReplyLength(link::Command command, std::int32_t fwVersion) {
    switch (command) {
        case link::Command::Identity:
            return link::kIdentityFrameLength;
        case link::Command::Parameters:
            return fwVersion >= link::kHeightFirmware ? 13 : 12;  // five or six values
        case link::Command::SignalSample:
            return 11;  // mode, level word, alarm
        default:
            return 0;
    }
}

}  // namespace quarn::sensor
