#pragma once
// Command bytes of the frames exchanged with the programmer and the sensor,
// and the buffer in which a received frame is held unescaped.

#include <array>
#include <cstdint>

namespace quarn::link {

enum class Command : std::uint8_t {
    GetIdentity = 0,        // PC asks who answers behind the programmer
    Identity = 1,           // type, serial, hardware and firmware words
    GetParameters = 2,      // PC asks for the sensor's parameters
    Parameters = 3,         // the sensor's parameters
    SetParameters = 4,      // PC writes the parameters
    ParametersWritten = 5,  // the sensor acknowledges the write
    SetStreaming = 20,      // PC starts (1) or stops (0) the live signal
    StreamingSet = 21,      // the sensor acknowledges it
    SignalSample = 23,      // one live signal sample
};

// A received frame as the frame extractor holds it: 0x01 0x02, command,
// payload, checksum high and low, 0x01 0x03. Positions 0 to 75; the extractor
// writes 0 to 73 only, so a decoder may read any position below 76 safely.
inline constexpr std::size_t kHeldFrameBufferSize = 76;
using FrameBytes = std::array<std::uint8_t, kHeldFrameBufferSize>;

// The byte that carries a command on the wire.
constexpr std::uint8_t commandByte(Command command) {
    return static_cast<std::uint8_t>(command);
}

// The command byte of a received frame.
inline Command commandOf(const FrameBytes& frame) {
    return static_cast<Command>(frame[2]);
}

// The longest payload a sent message may carry.
inline constexpr std::int16_t kMaxPayload = 73;

}  // namespace quarn::link
