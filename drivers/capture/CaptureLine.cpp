#include "drivers/capture/CaptureLine.h"

#include "drivers/capture/CaptureSyntax.h"

namespace quarn::capture {
namespace {

void field(std::string& line, const char* key, const std::string& value) {
    line += ' ';
    line += key;
    line += '=';
    line += value;
}

void number(std::string& line, const char* key, FtDword value) {
    field(line, key, std::to_string(value));
}

void arguments(std::string& line, const CaptureEvent& event) {
    if (event.call != CaptureCall::ListDevices && event.call != CaptureCall::OpenEx) {
        number(line, "handle", event.handle);
    }
    switch (event.call) {
        case CaptureCall::ListDevices:
            if (event.index) {
                number(line, "index", *event.index);
            }
            field(line, "flags", hexDword(event.flags));
            break;
        case CaptureCall::OpenEx:
            field(line, "flags", hexDword(event.flags));
            if (event.name) {
                field(line, "name", quotedText(*event.name));
            }
            if (event.location) {
                field(line, "location", hexDword(*event.location));
            }
            break;
        case CaptureCall::Purge:
            field(line, "mask", hexDword(event.mask));
            break;
        case CaptureCall::Write:
            number(line, "asked", event.asked);
            if (event.data) {
                field(line, "data", hexBytes(*event.data));
            }
            break;
        case CaptureCall::SetTimeouts:
            number(line, "read", event.readTimeoutMs);
            number(line, "write", event.writeTimeoutMs);
            break;
        case CaptureCall::Read:
            number(line, "asked", event.asked);
            break;
        case CaptureCall::ResetDevice:
        case CaptureCall::GetQueueStatus:
        case CaptureCall::Close:
            break;
    }
}

void results(std::string& line, const CaptureEvent& event) {
    switch (event.call) {
        case CaptureCall::ListDevices:
            if (event.count) {
                number(line, "count", *event.count);
            }
            for (const std::string& text : event.texts) {
                field(line, "text", quotedText(text));
            }
            break;
        case CaptureCall::OpenEx:
            if (event.handle != kUnknownHandle) {
                number(line, "handle", event.handle);
            }
            break;
        case CaptureCall::Write:
            if (event.written) {
                number(line, "written", *event.written);
            }
            break;
        case CaptureCall::GetQueueStatus:
            if (event.waiting) {
                number(line, "waiting", *event.waiting);
            }
            break;
        case CaptureCall::Read:
            if (event.got) {
                number(line, "got", *event.got);
            }
            if (event.data) {
                field(line, "data", hexBytes(*event.data));
            }
            break;
        case CaptureCall::ResetDevice:
        case CaptureCall::Purge:
        case CaptureCall::SetTimeouts:
        case CaptureCall::Close:
            break;
    }
}

}  // namespace

std::string captureLine(const CaptureEvent& event) {
    std::string line = std::to_string(event.timeMs);
    line += ' ';
    line += callName(event.call);
    arguments(line, event);
    line += " = ";
    line += statusName(event.status);
    results(line, event);
    return line;
}

}  // namespace quarn::capture
