#pragma once
// Frames for the sensor tests, built and taken apart independently of the
// link's own codec: received frames as the extractor holds them, and the
// wire bytes the fake driver saw turned back into command and payload.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "link/Commands.h"

namespace quarn::testing {

struct HeldFrame {
    link::FrameBytes bytes{};
    std::int16_t length = 0;
};

// Markers, command, payload, the additive checksum high byte first, markers.
inline HeldFrame makeReply(std::uint8_t command, const std::vector<std::uint8_t>& payload,
                           int checksumError = 0) {
    HeldFrame frame;
    std::size_t at = 0;
    frame.bytes[at++] = 0x01;
    frame.bytes[at++] = 0x02;
    frame.bytes[at++] = command;
    int sum = command;
    for (const std::uint8_t b : payload) {
        frame.bytes[at++] = b;
        sum += b;
    }
    sum += checksumError;
    frame.bytes[at++] = static_cast<std::uint8_t>((sum >> 8) & 0xFF);
    frame.bytes[at++] = static_cast<std::uint8_t>(sum & 0xFF);
    frame.bytes[at++] = 0x01;
    frame.bytes[at++] = 0x03;
    frame.length = static_cast<std::int16_t>(at);
    return frame;
}

inline HeldFrame makeReply(link::Command command, const std::vector<std::uint8_t>& payload,
                           int checksumError = 0) {
    return makeReply(static_cast<std::uint8_t>(command), payload, checksumError);
}

// A frame given byte by byte, as in the worked examples.
inline HeldFrame literalFrame(std::initializer_list<std::uint8_t> bytes) {
    HeldFrame frame;
    std::size_t at = 0;
    for (const std::uint8_t b : bytes) {
        frame.bytes[at++] = b;
    }
    frame.length = static_cast<std::int16_t>(at);
    return frame;
}

inline HeldFrame identityReply(int type, const std::string& serial, int hw, int fw) {
    std::vector<std::uint8_t> p;
    p.push_back(static_cast<std::uint8_t>(type >> 8));
    p.push_back(static_cast<std::uint8_t>(type & 0xFF));
    for (std::size_t i = 0; i < 10; ++i) {
        p.push_back(i < serial.size() ? static_cast<std::uint8_t>(serial[i]) : 0x20);
    }
    p.push_back(static_cast<std::uint8_t>(hw >> 8));
    p.push_back(static_cast<std::uint8_t>(hw & 0xFF));
    p.push_back(static_cast<std::uint8_t>(fw >> 8));
    p.push_back(static_cast<std::uint8_t>(fw & 0xFF));
    return makeReply(link::Command::Identity, p);
}

struct SentFrame {
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
    bool operator==(const SentFrame&) const = default;
};

// Undoes the wire form of one written frame: markers off, doubled 0x01 once,
// checksum checked and dropped. A malformed write gives command 0xFF.
inline SentFrame parseWire(const std::vector<std::uint8_t>& wire) {
    SentFrame bad{0xFF, {}};
    if (wire.size() < 4 || wire[0] != 0x01 || wire[1] != 0x02 || wire[wire.size() - 2] != 0x01 ||
        wire[wire.size() - 1] != 0x03) {
        return bad;
    }
    std::vector<std::uint8_t> body;
    for (std::size_t i = 2; i + 2 < wire.size(); ++i) {
        body.push_back(wire[i]);
        if (wire[i] == 0x01) {
            if (i + 3 >= wire.size() || wire[i + 1] != 0x01) {
                return bad;
            }
            ++i;
        }
    }
    if (body.size() < 3) {
        return bad;
    }
    int sum = 0;
    for (std::size_t i = 0; i + 2 < body.size(); ++i) {
        sum += body[i];
    }
    if (sum != body[body.size() - 2] * 256 + body[body.size() - 1]) {
        return bad;
    }
    return {body[0], std::vector<std::uint8_t>(body.begin() + 1, body.end() - 2)};
}

inline std::vector<SentFrame> parseWrites(const std::vector<std::vector<std::uint8_t>>& writes) {
    std::vector<SentFrame> frames;
    for (const auto& w : writes) {
        frames.push_back(parseWire(w));
    }
    return frames;
}

}  // namespace quarn::testing
