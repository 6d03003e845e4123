#pragma once
// One driver call as one line of a capture (docs/capture-format.md):
//   <time> <call> <arguments> = <status> <results>

#include <string>

#include "drivers/capture/CaptureEvent.h"

namespace quarn::capture {

// The format's name and version, the first line of every capture.
inline constexpr char kCaptureHeader[] = "quarnsoft-capture 1";

// The line for the event, without its line end.
std::string captureLine(const CaptureEvent& event);

}  // namespace quarn::capture
