#include "link/Frame.h"

#include <algorithm>
#include <array>

#include "link/Commands.h"

namespace quarn::link {
namespace {

constexpr std::array<char, 16> kHexDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                             '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};

// Bytes added around a message: start pair before the body, end pair after.
constexpr std::size_t kMarkerBytes = 4;
// Command, payload and both checksum bytes fit in this work area.
constexpr std::size_t kWorkAreaSize = 76;

void appendHexByte(std::string& out, std::uint8_t value) {
    out.push_back(kHexDigits[value >> 4]);
    out.push_back(kHexDigits[value & 0x0F]);
}

}  // namespace

std::int32_t calcChecksum(std::span<const std::uint8_t> bytes, std::int16_t length,
                          ChecksumSpan span) {
    // The summed range is [first, last); it is cut at the end of bytes so that
    // a length larger than the data held never reads past it.
    const bool whole = span == ChecksumSpan::WholeMessage;
    const int first = whole ? 0 : 2;
    const int last = whole ? length : length - 4;
    const int end = std::min<int>(last, static_cast<int>(bytes.size()));
    std::int32_t sum = 0;
    for (int i = first; i < end; ++i) {
        sum += bytes[static_cast<std::size_t>(i)];
    }
    return sum;
}

std::string hexByte(std::uint8_t value) {
    std::string out;
    appendHexByte(out, value);
    return out;
}

std::string hexText(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        appendHexByte(out, byte);
    }
    return out;
}

std::string hexWord(std::int32_t value) {
    // Version words are 0..65535; any other value is shown by its bit pattern
    // rather than refused, so that no input can make this fail.
    const auto bits = static_cast<std::uint32_t>(value);
    std::uint32_t high = bits >> 8;
    std::string highText;
    do {
        highText.insert(highText.begin(), kHexDigits[high & 0x0F]);
        high >>= 4;
    } while (high != 0);
    appendHexByte(highText, static_cast<std::uint8_t>(bits & 0xFF));
    return highText;
}

EncodedMessage encodeMessage(Command command, std::span<const std::uint8_t> payload,
                             std::int16_t count) {
    const std::size_t taken = std::min<std::size_t>(
        static_cast<std::size_t>(std::clamp<int>(count, 0, kMaxPayload)), payload.size());

    // Work area: command, payload, checksum high, checksum low.
    std::array<std::uint8_t, kWorkAreaSize> work{};
    work[0] = static_cast<std::uint8_t>(command);
    std::copy_n(payload.begin(), taken, work.begin() + 1);
    const std::int32_t sum =
        calcChecksum(std::span<const std::uint8_t>(work.data(), taken + 1),
                     static_cast<std::int16_t>(taken + 1), ChecksumSpan::WholeMessage);
    work[taken + 1] = static_cast<std::uint8_t>(sum / 256);
    work[taken + 2] = static_cast<std::uint8_t>(sum % 256);
    const std::span<const std::uint8_t> message(work.data(), taken + 3);

    EncodedMessage encoded;
    // The log line shows the frame as the receiver holds it, unescaped.
    encoded.logLine = "0102" + hexText(message) + "0103";

    encoded.wire.reserve(message.size() * 2 + kMarkerBytes);
    encoded.wire.push_back(kFrameMarker);
    encoded.wire.push_back(kFrameStart);
    for (std::uint8_t byte : message) {
        encoded.wire.push_back(byte);
        if (byte == kFrameMarker) {
            encoded.wire.push_back(kFrameMarker);  // a body 0x01 is doubled
        }
    }
    encoded.wire.push_back(kFrameMarker);
    encoded.wire.push_back(kFrameEnd);
    return encoded;
}

}  // namespace quarn::link
