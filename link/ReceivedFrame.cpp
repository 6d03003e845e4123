#include "link/ReceivedFrame.h"

#include <algorithm>

#include "link/Frame.h"
#include "platform/Cp1252.h"

namespace quarn::link {
namespace {

// The shortest frame the extractor yields: 0x01 0x02 0x01 0x03.
constexpr std::int16_t kShortestFrame = 4;

// Where the identity reply's fields sit in the unescaped frame.
struct IdentityLayout {
    std::size_t type = 3;
    std::size_t serial = 5;
    std::size_t serialLength = 10;
    std::size_t hardware = 15;
    std::size_t firmware = 17;
};
constexpr IdentityLayout kIdentityLayout{};

}  // namespace

std::span<const std::uint8_t> heldBytes(const FrameBytes& frame, std::int16_t length) {
    const std::size_t held =
        length <= 0 ? 0 : std::min(static_cast<std::size_t>(length), frame.size());
    return {frame.data(), held};
}

std::int32_t wordAt(const FrameBytes& frame, std::size_t pos) {
    return frame[pos] * 256 + frame[pos + 1];
}

bool checksumMatches(const FrameBytes& frame, std::int16_t length) {
    if (length < kShortestFrame || static_cast<std::size_t>(length) > frame.size()) {
        return false;
    }
    const auto checksumPos = static_cast<std::size_t>(length - 4);
    return calcChecksum(frame, length, ChecksumSpan::HeldFrame) == wordAt(frame, checksumPos);
}

std::optional<DeviceIdentity> decodeIdentityReply(const FrameBytes& frame, std::int16_t length) {
    if (length < kIdentityFrameLength) {
        return std::nullopt;
    }
    DeviceIdentity identity;
    identity.type = wordAt(frame, kIdentityLayout.type);
    identity.serial = cp1252ToUtf8(std::span<const std::uint8_t>(
        frame.data() + kIdentityLayout.serial, kIdentityLayout.serialLength));
    identity.hardwareVersion = wordAt(frame, kIdentityLayout.hardware);
    identity.firmwareVersion = wordAt(frame, kIdentityLayout.firmware);
    return identity;
}

}  // namespace quarn::link
