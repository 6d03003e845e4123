// The frame extractor: a byte-by-byte state machine over the receive ring
// that undoes the 0x01 doubling and cuts out complete frames.

#include <algorithm>

#include "link/ReceiveState.h"

namespace quarn::link {
namespace {

constexpr std::uint8_t kMarker = 0x01;
constexpr std::uint8_t kStart = 0x02;
constexpr std::uint8_t kEnd = 0x03;

constexpr std::int16_t kIdle = 0;
constexpr std::int16_t kMarkerSeen = 1;
constexpr std::int16_t kBody = 2;  // first body position; MsgPos >= 2 means inside a frame

bool inRing(std::int16_t index) {
    return index >= 0 && index < kRingSize;
}

// The state is only ever written by the extractor and the reader, but it is a
// plain struct: values that no sequence of bytes can produce are brought back
// into range so that no index can leave the buffers.
void keepInRange(ReceiveState& state) {
    if (!inRing(state.rxIdxIn)) {
        state.rxIdxIn = 0;
        state.rxIdxOut = 0;
    } else if (!inRing(state.rxIdxOut)) {
        state.rxIdxOut = state.rxIdxIn;
    }
    if (state.msgPos < kIdle || state.msgPos > kMaxHeldFrameBytes) {
        state.msgPos = kIdle;
        state.msgEsc = false;
    }
}

}  // namespace

bool extractMsg(ReceiveState& state) {
    keepInRange(state);

    // Work on locals: the byte arrays may alias anything, which would make the
    // compiler reload the state from memory on every byte.
    std::int16_t out = state.rxIdxOut;
    const std::int16_t in = state.rxIdxIn;
    std::int16_t pos = state.msgPos;
    bool esc = state.msgEsc;
    MsgBytes& msg = state.msgBuffer;
    bool complete = false;

    while (out != in) {
        const std::uint8_t byte = state.rxBuffer[static_cast<std::size_t>(out)];
        if (pos == kIdle) {
            if (byte == kMarker) {
                msg[0] = kMarker;
                pos = kMarkerSeen;
                esc = false;
            }
        } else if (pos == kMarkerSeen) {
            if (byte == kStart) {
                msg[1] = kStart;
                pos = kBody;
            } else if (byte != kMarker) {
                pos = kIdle;  // a repeated 0x01 stays the candidate start
            }
        } else if (!esc) {
            if (pos < kMaxHeldFrameBytes) {
                msg[static_cast<std::size_t>(pos)] = byte;
                ++pos;
            }
            // A 0x01 is stored before its meaning is known: it is either the
            // first of a doubled data byte or the first of a marker pair.
            esc = (byte == kMarker);
        } else if (byte == kMarker) {
            esc = false;  // doubled: one data byte 0x01, already stored
        } else if (byte == kStart) {
            msg[0] = kMarker;  // a new start inside a frame drops the old one
            msg[1] = kStart;
            pos = kBody;
            esc = false;
        } else if (byte == kEnd) {
            // The 0x03 stays at RxIdxOut; the next call skips it while idle.
            msg[static_cast<std::size_t>(pos)] = kEnd;
            state.msgLen = static_cast<std::int16_t>(pos + 1);
            pos = kIdle;
            esc = false;
            complete = true;
            break;
        } else {
            pos = kIdle;  // 0x01 followed by any other byte: the frame is lost
            esc = false;
        }
        ++out;
        if (out == kRingSize) {
            out = 0;
        }
    }

    state.rxIdxOut = out;
    state.msgPos = pos;
    state.msgEsc = esc;
    return complete;
}

std::int16_t bufferedBytes(const ReceiveState& state) {
    const int buffered = (state.rxIdxIn - state.rxIdxOut + kRingSize) % kRingSize;
    return static_cast<std::int16_t>(std::clamp(buffered, 0, kRingSize - 1));
}

}  // namespace quarn::link
