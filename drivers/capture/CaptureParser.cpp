#include "drivers/capture/CaptureParser.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "drivers/capture/CaptureLine.h"
#include "drivers/capture/CaptureSyntax.h"
#include "platform/Utf8.h"

namespace quarn::capture {
namespace {

// Ends the reading of a line; caught in parseCapture, never let out.
struct LineProblem {
    std::string what;
};

[[noreturn]] void fail(std::string what) {
    throw LineProblem{std::move(what)};
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Plain printable ASCII and tabs everywhere; a comment may also hold
// well-formed UTF-8 (a note in the engineer's language).
void checkCharacters(std::string_view line, bool comment) {
    for (std::size_t i = 0; i < line.size();) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (byte == '\t' || (byte >= 0x20 && byte <= 0x7E)) {
            ++i;
            continue;
        }
        if (byte < 0x20 || byte == 0x7F) {
            fail("holds the control character " + hexDword(byte) + " at column " +
                 std::to_string(i + 1));
        }
        if (!comment) {
            fail("holds a byte outside plain ASCII at column " + std::to_string(i + 1) +
                 " (texts carry such bytes as \\xHH)");
        }
        const std::size_t length = utf8SequenceAt(line, i);
        if (length == 0) {
            fail("is not valid UTF-8 at column " + std::to_string(i + 1));
        }
        i += length;
    }
}

// The line's words, split at blanks; a quoted text stays one word with its
// blanks.
std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        if (isBlank(line[at])) {
            ++at;
            continue;
        }
        const std::size_t start = at;
        bool inQuotes = false;
        while (at < line.size() && (inQuotes || !isBlank(line[at]))) {
            if (line[at] == '"') {
                inQuotes = !inQuotes;
            } else if (line[at] == '\\' && inQuotes) {
                ++at;  // the escaped character cannot end the text
            }
            ++at;
        }
        if (inQuotes) {
            fail("has a text without its closing quote");
        }
        words.push_back(line.substr(start, std::min(at, line.size()) - start));
    }
    return words;
}

// The name=value words of one side of the line, each to be taken once.
class Fields {
  public:
    Fields(const std::vector<std::string_view>& words, const char* side) : side_(side) {
        for (const std::string_view word : words) {
            const std::size_t equals = word.find('=');
            if (equals == std::string_view::npos || equals == 0) {
                fail("has " + quoted(word) + " among the " + std::string(side_) +
                     ", not a name=value field");
            }
            fields_.push_back({word.substr(0, equals), word.substr(equals + 1), false});
        }
    }

    // The value of the field, once; a second field of the same name is an error.
    std::optional<std::string_view> take(std::string_view name) {
        std::optional<std::string_view> value;
        for (Field& field : fields_) {
            if (field.name != name) {
                continue;
            }
            if (value) {
                fail("gives " + std::string(name) + "= twice");
            }
            value = field.value;
            field.taken = true;
        }
        return value;
    }
    std::string_view require(std::string_view name) {
        const auto value = take(name);
        if (!value) {
            fail("lacks its " + std::string(name) + "= field");
        }
        return *value;
    }
    // Every field of the name, in order.
    std::vector<std::string_view> takeAll(std::string_view name) {
        std::vector<std::string_view> values;
        for (Field& field : fields_) {
            if (field.name == name) {
                values.push_back(field.value);
                field.taken = true;
            }
        }
        return values;
    }
    bool empty() const { return fields_.empty(); }
    // Fails on the first field nothing took.
    void checkAllTaken(std::string_view call) const {
        for (const Field& field : fields_) {
            if (!field.taken) {
                fail("has a field " + quoted(field.name) + " that " + std::string(call) +
                     " does not have among its " + std::string(side_));
            }
        }
    }

  private:
    struct Field {
        std::string_view name;
        std::string_view value;
        bool taken;
    };
    std::vector<Field> fields_;
    const char* side_;
};

FtDword dwordField(std::string_view name, std::string_view value) {
    const auto number = dwordFrom(value);
    if (!number) {
        fail("has " + std::string(name) + "=" + std::string(value) +
             ", not a number from 0 to 4294967295");
    }
    return *number;
}

std::optional<FtDword> optionalDword(Fields& fields, std::string_view name) {
    const auto value = fields.take(name);
    if (!value) {
        return std::nullopt;
    }
    return dwordField(name, *value);
}

std::vector<std::uint8_t> dataField(std::string_view value) {
    auto bytes = bytesFromHex(value);
    if (!bytes) {
        fail("has data that is not pairs of hex digits");
    }
    return std::move(*bytes);
}

std::string textField(std::string_view name, std::string_view value, std::size_t longest) {
    auto text = unquotedText(value);
    if (!text) {
        fail("has a " + std::string(name) +
             "= text that is not in double quotes with \\\\, \\\" or \\xHH escapes");
    }
    if (text->size() > longest) {
        fail("has a " + std::string(name) + "= text longer than " + std::to_string(longest) +
             " bytes");
    }
    if (text->find('\0') != std::string::npos) {
        fail("has a " + std::string(name) + "= text holding a NUL byte");
    }
    return std::move(*text);
}

std::int64_t timeField(std::string_view word) {
    std::int64_t time = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), time);
    if (error != std::errc() || end != word.data() + word.size() || time < 0 || time > kMaxTimeMs) {
        fail("does not start with a time in milliseconds (from 0 to " + std::to_string(kMaxTimeMs) +
             "): " + quoted(word));
    }
    return time;
}

// Reads the event lines of one capture, keeping what later lines are checked
// against: the last time and the handles given so far.
class EventReader {
  public:
    CaptureEvent read(std::string_view line) {
        const std::vector<std::string_view> words = wordsOf(line);
        const auto equals = std::find(words.begin(), words.end(), std::string_view("="));
        if (equals == words.end() || equals - words.begin() < 2 || equals + 1 == words.end()) {
            fail("is not '<time> <call> <arguments> = <status> <results>'");
        }
        if (std::find(equals + 1, words.end(), std::string_view("=")) != words.end()) {
            fail("has more than one ' = '");
        }

        CaptureEvent event;
        event.timeMs = timeField(words[0]);
        if (event.timeMs < lastTimeMs_) {
            fail("goes back in time: " + std::to_string(event.timeMs) + " ms after " +
                 std::to_string(lastTimeMs_) + " ms");
        }
        const auto call = callNamed(words[1]);
        if (!call) {
            fail("names no driver call: " + quoted(words[1]));
        }
        event.call = *call;
        const auto status = statusNamed(*(equals + 1));
        if (!status) {
            fail("has no status after ' = ' (FT_OK, FT_IO_ERROR ... or a number): " +
                 quoted(*(equals + 1)));
        }
        event.status = *status;

        Fields arguments({words.begin() + 2, equals}, "arguments");
        Fields results({equals + 2, words.end()}, "results");
        if (event.status != ft::kOk && !results.empty()) {
            fail("gives results for a call that failed");
        }
        readFields(event, arguments, results);
        arguments.checkAllTaken(callName(event.call));
        results.checkAllTaken(callName(event.call));
        lastTimeMs_ = event.timeMs;
        return event;
    }

  private:
    void readFields(CaptureEvent& event, Fields& arguments, Fields& results) {
        if (event.call != CaptureCall::ListDevices && event.call != CaptureCall::OpenEx) {
            event.handle = openedHandle(arguments.require("handle"));
        }
        switch (event.call) {
            case CaptureCall::ListDevices:
                readListDevices(event, arguments, results);
                break;
            case CaptureCall::OpenEx:
                readOpenEx(event, arguments, results);
                break;
            case CaptureCall::Purge:
                event.mask = dwordField("mask", arguments.require("mask"));
                break;
            case CaptureCall::Write:
                readWrite(event, arguments, results);
                break;
            case CaptureCall::GetQueueStatus:
                event.waiting = optionalDword(results, "waiting");
                break;
            case CaptureCall::SetTimeouts:
                event.readTimeoutMs = dwordField("read", arguments.require("read"));
                event.writeTimeoutMs = dwordField("write", arguments.require("write"));
                break;
            case CaptureCall::Read:
                readRead(event, arguments, results);
                break;
            case CaptureCall::ResetDevice:
            case CaptureCall::Close:
                break;
        }
    }

    std::uint32_t openedHandle(std::string_view value) {
        const FtDword handle = dwordField("handle", value);
        if (handle > handlesGiven_) {
            fail("uses handle " + std::to_string(handle) + ", which no earlier OpenEx gave");
        }
        return handle;
    }

    static void readListDevices(CaptureEvent& event, Fields& arguments, Fields& results) {
        event.flags = dwordField("flags", arguments.require("flags"));
        const ListKind kind = listKindOf(event.flags);
        if (kind == ListKind::ByIndex) {
            event.index = dwordField("index", arguments.require("index"));
        }
        if (kind == ListKind::NumberOnly || kind == ListKind::All) {
            event.count = optionalDword(results, "count");
        }
        if (kind == ListKind::ByIndex || kind == ListKind::All) {
            for (const std::string_view text : results.takeAll("text")) {
                event.texts.push_back(
                    textField("text", text, static_cast<std::size_t>(ft::kMaxDescription)));
            }
        }
        if (kind == ListKind::ByIndex && event.texts.size() > 1) {
            fail("gives more than one text for one index");
        }
        if (kind == ListKind::All && event.count && event.texts.size() > *event.count) {
            fail("gives more texts than its count");
        }
    }

    void readOpenEx(CaptureEvent& event, Fields& arguments, Fields& results) {
        event.flags = dwordField("flags", arguments.require("flags"));
        if (opensByText(event.flags)) {
            if (const auto name = arguments.take("name")) {
                event.name = textField("name", *name, kMaxOpenName);
            }
        } else if (opensByLocation(event.flags)) {
            event.location = dwordField("location", arguments.require("location"));
        }
        if (const auto handle = optionalDword(results, "handle")) {
            if (*handle != handlesGiven_ + 1) {
                fail("gives handle " + std::to_string(*handle) + " where the next is " +
                     std::to_string(handlesGiven_ + 1));
            }
            event.handle = *handle;
            ++handlesGiven_;
        }
    }

    static void readWrite(CaptureEvent& event, Fields& arguments, Fields& results) {
        event.asked = dwordField("asked", arguments.require("asked"));
        if (const auto data = arguments.take("data")) {
            event.data = dataField(*data);
            if (event.data->size() != event.asked) {
                fail("writes " + std::to_string(event.data->size()) + " bytes of data where " +
                     std::to_string(event.asked) + " were asked");
            }
        }
        event.written = optionalDword(results, "written");
    }

    static void readRead(CaptureEvent& event, Fields& arguments, Fields& results) {
        event.asked = dwordField("asked", arguments.require("asked"));
        event.got = optionalDword(results, "got");
        const auto data = results.take("data");
        if (event.got.has_value() != data.has_value()) {
            fail("must give got= and data= together");
        }
        if (!data) {
            return;
        }
        event.data = dataField(*data);
        // A driver may report more than it was asked for; only what fits the
        // buffer was kept.
        const FtDword kept = std::min(*event.got, event.asked);
        if (event.data->size() != kept) {
            fail("reads " + std::to_string(event.data->size()) +
                 " bytes of data where got=" + std::to_string(*event.got) +
                 " and asked=" + std::to_string(event.asked) + " make " + std::to_string(kept));
        }
    }

    std::int64_t lastTimeMs_ = 0;
    std::uint32_t handlesGiven_ = 0;
};

void checkHeader(std::string_view line) {
    if (line == kCaptureHeader) {
        return;
    }
    constexpr std::string_view kName = "quarnsoft-capture ";
    if (line.substr(0, kName.size()) == kName) {
        fail("is version " + quoted(line.substr(kName.size())) +
             " of the capture format; this program reads " + quoted(kCaptureHeader));
    }
    fail("is not the header " + quoted(kCaptureHeader) + ": this is not a QuarnSoft capture");
}

bool isBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), isBlank);
}

}  // namespace

std::string CaptureError::message() const {
    if (line == 0) {
        return problem;
    }
    return "line " + std::to_string(line) + ": " + problem;
}

ParsedCapture parseCapture(std::string_view text) {
    ParsedCapture parsed;
    if (text.size() > kMaxCaptureBytes) {
        parsed.error = CaptureError{0, "the capture is larger than 64 MiB"};
        return parsed;
    }
    if (text.empty()) {
        parsed.error = CaptureError{1, "the capture is empty: the header line is missing"};
        return parsed;
    }

    EventReader reader;
    std::size_t lineNumber = 0;
    // A byte order mark, left by an editor that saved the file, is no part
    // of the header.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    std::size_t at =
        text.substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
    try {
        while (at < text.size()) {
            ++lineNumber;
            const std::size_t end = text.find('\n', at);
            const std::size_t lineEnd = end == std::string_view::npos ? text.size() : end;
            if (lineEnd - at > kMaxLineLength) {
                fail("is longer than " + std::to_string(kMaxLineLength) + " characters");
            }
            if (end == std::string_view::npos) {
                fail(
                    "has no line end: the capture was cut off here (remove the line to replay "
                    "what comes before it)");
            }
            std::string_view line = text.substr(at, end - at);
            at = end + 1;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);  // the capture went through a Windows machine
            }
            const bool comment = !line.empty() && line.front() == '#';
            checkCharacters(line, comment);
            if (lineNumber == 1) {
                checkHeader(line);
            } else if (!comment && !isBlankLine(line)) {
                if (parsed.events.size() == kMaxCaptureEvents) {
                    fail("is one call more than a capture may hold (" +
                         std::to_string(kMaxCaptureEvents) + ")");
                }
                parsed.events.push_back(reader.read(line));
                parsed.events.back().line = lineNumber;
            }
        }
    } catch (const LineProblem& problem) {
        parsed.events.clear();
        parsed.events.shrink_to_fit();
        parsed.error = CaptureError{lineNumber, problem.what};
    }
    return parsed;
}

}  // namespace quarn::capture
