#include "link/FrameExtractor.h"

#include "link/Frame.h"

namespace quarn::link {
namespace {

constexpr std::int16_t kIdle = 0;
constexpr std::int16_t kMarkerSeen = 1;
constexpr std::int16_t kBody = 2;  // the first body position; from here on inside a frame

}  // namespace

bool FrameExtractor::extract(ReceiveRing& ring) {
    // Work on locals: the byte arrays may alias anything, which would make the
    // compiler reload the members from memory on every byte.
    std::int16_t pos = position_;
    bool esc = escaped_;
    FrameBytes& frame = frame_;
    bool complete = false;

    for (auto run = ring.unexaminedRun(); !run.empty() && !complete; run = ring.unexaminedRun()) {
        std::size_t examined = 0;
        for (; examined < run.size(); ++examined) {
            const std::uint8_t byte = run[examined];
            if (pos == kIdle) {
                if (byte == kFrameMarker) {
                    frame[0] = kFrameMarker;
                    pos = kMarkerSeen;
                    esc = false;
                }
            } else if (pos == kMarkerSeen) {
                if (byte == kFrameStart) {
                    frame[1] = kFrameStart;
                    pos = kBody;
                } else if (byte != kFrameMarker) {
                    pos = kIdle;  // a repeated 0x01 stays the candidate start
                }
            } else if (!esc) {
                if (pos < kMaxHeldFrameBytes) {
                    frame[static_cast<std::size_t>(pos)] = byte;
                    ++pos;
                }
                // A 0x01 is stored before its meaning is known: it is either the
                // first of a doubled data byte or the first of a marker pair.
                esc = (byte == kFrameMarker);
            } else if (byte == kFrameMarker) {
                esc = false;  // doubled: one data byte 0x01, already stored
            } else if (byte == kFrameStart) {
                frame[0] = kFrameMarker;  // a new start inside a frame drops the old one
                frame[1] = kFrameStart;
                pos = kBody;
                esc = false;
            } else if (byte == kFrameEnd) {
                // The 0x03 is left unexamined; the next call passes over it
                // while idle.
                frame[static_cast<std::size_t>(pos)] = kFrameEnd;
                length_ = static_cast<std::int16_t>(pos + 1);
                pos = kIdle;
                esc = false;
                complete = true;
                break;
            } else {
                pos = kIdle;  // 0x01 followed by any other byte: the frame is lost
                esc = false;
            }
        }
        ring.markExamined(examined);
    }

    position_ = pos;
    escaped_ = esc;
    return complete;
}

}  // namespace quarn::link
