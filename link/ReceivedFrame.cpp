#include "link/ReceivedFrame.h"

#include <algorithm>

#include "link/Frame.h"
#include "platform/Cp1252.h"

namespace quarn::link {
namespace {

// The shortest frame the extractor yields: 0x01 0x02 0x01 0x03.
constexpr std::int16_t kShortestFrame = 4;
// Sum of positions 2 to L-5: a received frame held with its markers.
constexpr std::int16_t kReceivedChecksumMode = 1;

// Positions in the unescaped identity reply.
constexpr std::size_t kTypePos = 3;
constexpr std::size_t kSerialPos = 5;
constexpr std::size_t kSerialLength = 10;
constexpr std::size_t kHwPos = 15;
constexpr std::size_t kFwPos = 17;

}  // namespace

std::span<const std::uint8_t> HeldBytes(const MsgBytes& frame, std::int16_t L) {
    const std::size_t length = L <= 0 ? 0 : std::min(static_cast<std::size_t>(L), frame.size());
    return {frame.data(), length};
}

std::int32_t WordAt(const MsgBytes& frame, std::size_t pos) {
    return frame[pos] * 256 + frame[pos + 1];
}

bool ChecksumMatches(const MsgBytes& frame, std::int16_t L) {
    if (L < kShortestFrame || static_cast<std::size_t>(L) > frame.size()) {
        return false;
    }
    const auto checksumPos = static_cast<std::size_t>(L - 4);
    return CalcChecksum(frame, L, kReceivedChecksumMode) == WordAt(frame, checksumPos);
}

void DecodeIdentityFields(const MsgBytes& frame, DeviceIdentity& identity) {
    identity.type = WordAt(frame, kTypePos);
    identity.serial =
        Cp1252ToUtf8(std::span<const std::uint8_t>(frame.data() + kSerialPos, kSerialLength));
    identity.hardwareVersion = WordAt(frame, kHwPos);
    identity.firmwareVersion = WordAt(frame, kFwPos);
}

}  // namespace quarn::link
