#include "sim/SimFrameCodec.h"

namespace quarn::sim {

namespace {
constexpr std::uint8_t kMarker = 0x01;
constexpr std::uint8_t kStart = 0x02;
constexpr std::uint8_t kEnd = 0x03;

void putEscaped(std::vector<std::uint8_t>& wire, std::uint8_t byte) {
    wire.push_back(byte);
    if (byte == kMarker) {
        wire.push_back(kMarker);
    }
}
}  // namespace

std::uint16_t frameChecksum(std::uint8_t command, std::span<const std::uint8_t> payload) {
    unsigned sum = command;
    for (std::uint8_t b : payload) {
        sum += b;
    }
    return static_cast<std::uint16_t>(sum);
}

std::vector<std::uint8_t> encodeFrame(std::uint8_t command, std::span<const std::uint8_t> payload) {
    return encodeFrameWithChecksum(command, payload, frameChecksum(command, payload));
}

std::vector<std::uint8_t> encodeFrameWithChecksum(std::uint8_t command,
                                                  std::span<const std::uint8_t> payload,
                                                  std::uint16_t checksum) {
    std::vector<std::uint8_t> wire;
    wire.reserve(2 * (payload.size() + 3) + 4);
    wire.push_back(kMarker);
    wire.push_back(kStart);
    putEscaped(wire, command);
    for (std::uint8_t b : payload) {
        putEscaped(wire, b);
    }
    putEscaped(wire, static_cast<std::uint8_t>(checksum >> 8));
    putEscaped(wire, static_cast<std::uint8_t>(checksum & 0xFF));
    wire.push_back(kMarker);
    wire.push_back(kEnd);
    return wire;
}

void FrameDecoder::reset() {
    state_ = State::Idle;
    escape_ = false;
    body_.clear();
}

std::optional<ReceivedFrame> FrameDecoder::feed(std::uint8_t byte) {
    switch (state_) {
        case State::Idle:
            if (byte == kMarker) {
                state_ = State::StartSeen;
            }
            return std::nullopt;
        case State::StartSeen:
            if (byte == kStart) {
                state_ = State::InBody;
                escape_ = false;
                body_.clear();
            } else if (byte != kMarker) {
                state_ = State::Idle;
            }
            return std::nullopt;
        case State::InBody:
        case State::Discarding:
            break;
    }

    if (!escape_) {
        if (byte == kMarker) {
            escape_ = true;
        } else if (state_ == State::InBody) {
            body_.push_back(byte);
        }
    } else {
        escape_ = false;
        if (byte == kMarker) {
            if (state_ == State::InBody) {
                body_.push_back(kMarker);
            }
        } else if (byte == kStart) {
            state_ = State::InBody;
            body_.clear();
            return std::nullopt;
        } else if (byte == kEnd) {
            const bool whole = state_ == State::InBody && body_.size() >= 3;
            state_ = State::Idle;
            if (!whole) {
                body_.clear();
                return std::nullopt;
            }
            ReceivedFrame frame;
            frame.command = body_.front();
            frame.payload.assign(body_.begin() + 1, body_.end() - 2);
            const auto carried =
                static_cast<std::uint16_t>((body_[body_.size() - 2] << 8) | body_.back());
            frame.checksumOk = carried == frameChecksum(frame.command, frame.payload);
            body_.clear();
            return frame;
        } else {
            // A lone 0x01 inside a body: the frame is broken.
            reset();
            return std::nullopt;
        }
    }
    if (state_ == State::InBody && body_.size() > kMaxBody) {
        // Too long to be a frame; skip to its end (or the next start).
        state_ = State::Discarding;
        body_.clear();
    }
    return std::nullopt;
}

}  // namespace quarn::sim
