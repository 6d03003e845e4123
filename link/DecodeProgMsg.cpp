#include "link/DecodeProgMsg.h"

#include <algorithm>
#include <span>

#include "link/Frame.h"
#include "platform/Cp1252.h"

namespace quarn::link {
namespace {

// Positions in the unescaped identity reply.
constexpr std::size_t kCommandPos = 2;
constexpr std::size_t kTypePos = 3;
constexpr std::size_t kSerialPos = 5;
constexpr std::size_t kSerialLength = 10;
constexpr std::size_t kHwPos = 15;
constexpr std::size_t kFwPos = 17;
// Markers, command, type, serial, versions, checksum, markers.
constexpr std::int16_t kIdentityFrameLength = 23;
// The shortest frame the extractor yields: 0x01 0x02 0x01 0x03.
constexpr std::int16_t kShortestFrame = 4;

std::int32_t WordAt(const MsgBytes& frame, std::size_t pos) {
    return frame[pos] * 256 + frame[pos + 1];
}

}  // namespace

std::string ChecksumErrorLine(const std::string& hexText, const HostServices& host) {
    return "Errore Checksum  " + hexText + "  " + host.timeOfDay();
}

void DecodeProgMsg(const MsgBytes& frame, std::int16_t L, DeviceIdentity& identity,
                   FormDebug& monitor, const HostServices& host) {
    // The extractor never yields more than the buffer holds; a larger length
    // is cut to it so that nothing past the buffer is read.
    const auto length = static_cast<std::int16_t>(std::min<int>(L, static_cast<int>(frame.size())));
    const std::string hexText = HexText(std::span<const std::uint8_t>(
        frame.data(), static_cast<std::size_t>(std::max<int>(length, 0))));

    // Too short to hold a checksum at all: it cannot pass the test.
    const bool checksumOk =
        length >= kShortestFrame &&
        CalcChecksum(frame, length, 1) == WordAt(frame, static_cast<std::size_t>(length - 4));
    if (!checksumOk) {
        LogMonitor(monitor, kMonitorReceive, ChecksumErrorLine(hexText, host));
        return;
    }

    if (frame[kCommandPos] != MsgIdentity) {
        return;  // the programmer level knows only the identity reply
    }

    // A received identity reply is shown whatever its length. One shorter than
    // the full reply is not decoded, though: its fields would be read from
    // positions that still hold bytes of earlier frames, so the identity is
    // left as it was.
    LogMonitor(monitor, kMonitorReceive, hexText);
    if (length < kIdentityFrameLength) {
        return;
    }

    identity.DeviceType = WordAt(frame, kTypePos);
    identity.DeviceSerial =
        Cp1252ToUtf8(std::span<const std::uint8_t>(frame.data() + kSerialPos, kSerialLength));
    identity.HwVersion = WordAt(frame, kHwPos);
    identity.FwVersion = WordAt(frame, kFwPos);
}

}  // namespace quarn::link
