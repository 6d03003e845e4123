// Reading captures: what the recorder writes reads back as it was, the
// example in the format's documentation reads, and a capture that is cut
// off, out of order or made up is refused at the right line.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "drivers/capture/CaptureLine.h"
#include "drivers/capture/CaptureParser.h"
#include "unit/capture/CaptureText.h"

namespace quarn::capture {
namespace {

using testing::captureOf;

CaptureEvent event(CaptureCall call, std::int64_t timeMs, FtStatus status = ft::kOk) {
    CaptureEvent e;
    e.call = call;
    e.timeMs = timeMs;
    e.status = status;
    return e;
}

TEST(CaptureParser, EveryCallReadsBackAsItWasWritten) {
    std::string everyByte;
    for (int b = 1; b < 256; ++b) {
        everyByte += static_cast<char>(b);
    }
    std::vector<CaptureEvent> events;
    auto add = [&](CaptureEvent e) { events.push_back(std::move(e)); };

    CaptureEvent count = event(CaptureCall::ListDevices, 0);
    count.flags = ft::kListNumberOnly;
    count.count = 2;
    add(count);
    CaptureEvent byIndex = event(CaptureCall::ListDevices, 0);
    byIndex.flags = ft::kListByIndex | ft::kOpenByDescription;
    byIndex.index = 1;
    byIndex.texts = {everyByte.substr(0, 64)};
    add(byIndex);
    CaptureEvent all = event(CaptureCall::ListDevices, 1);
    all.flags = ft::kListAll | ft::kOpenBySerialNumber;
    all.count = 3;
    all.texts = {"", "say \"hi\" \\", everyByte.substr(191)};
    add(all);
    CaptureEvent open = event(CaptureCall::OpenEx, 2);
    open.flags = ft::kOpenByDescription;
    open.name = everyByte;
    open.handle = 1;
    add(open);
    CaptureEvent byLocation = event(CaptureCall::OpenEx, 2, ft::kDeviceNotFound);
    byLocation.flags = ft::kOpenByLocation;
    byLocation.location = 0x2131;
    add(byLocation);
    CaptureEvent purge = event(CaptureCall::Purge, 3);
    purge.handle = 1;
    purge.mask = ft::kPurgeRx | ft::kPurgeTx;
    add(purge);
    CaptureEvent write = event(CaptureCall::Write, 3);
    write.handle = 1;
    write.asked = 3;
    write.data = std::vector<std::uint8_t>{0x01, 0xAB, 0x00};
    write.written = 2;
    add(write);
    CaptureEvent nullWrite = event(CaptureCall::Write, 3, 0x1234);
    nullWrite.asked = 9;
    add(nullWrite);
    CaptureEvent queue = event(CaptureCall::GetQueueStatus, 4);
    queue.handle = 1;
    queue.waiting = 4294967295U;
    add(queue);
    CaptureEvent timeouts = event(CaptureCall::SetTimeouts, 4, ft::kIoError);
    timeouts.handle = 1;
    timeouts.readTimeoutMs = 5000;
    add(timeouts);
    CaptureEvent overReported = event(CaptureCall::Read, 5);
    overReported.handle = 1;
    overReported.asked = 2;
    overReported.got = 7;
    overReported.data = std::vector<std::uint8_t>{0xFF, 0x00};
    add(overReported);
    CaptureEvent reset = event(CaptureCall::ResetDevice, 5);
    reset.handle = 1;
    add(reset);
    CaptureEvent close = event(CaptureCall::Close, kMaxTimeMs, ft::kInvalidHandle);
    add(close);

    std::string text =
        "\xEF\xBB\xBF" + std::string(kCaptureHeader) + "\r\n# comment with UTF-8: è\n\n";
    for (std::size_t i = 0; i < events.size(); ++i) {
        text += captureLine(events[i]) + "\n";
        events[i].line = i + 4;
    }
    const ParsedCapture parsed = parseCapture(text);
    ASSERT_TRUE(parsed.ok()) << parsed.error->message() << "\n" << text;
    ASSERT_EQ(parsed.events.size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(parsed.events[i], events[i]) << captureLine(events[i]);
    }
    EXPECT_NE(text.find(" = 4660\n"), std::string::npos) << "a status without a name";
}

TEST(CaptureParser, TheDocumentedExampleReads) {
    std::ifstream file(QUARN_CAPTURE_FORMAT_DOC);
    std::stringstream doc;
    doc << file.rdbuf();
    const std::string text = doc.str();
    const std::size_t start = text.find(std::string("```\n") + kCaptureHeader);
    ASSERT_NE(start, std::string::npos);
    const std::size_t end = text.find("```", start + 4);
    const ParsedCapture parsed = parseCapture(text.substr(start + 4, end - start - 4));
    ASSERT_TRUE(parsed.ok()) << parsed.error->message();
    EXPECT_GE(parsed.events.size(), 25U);
}

struct BadCapture {
    const char* what;
    std::string text;
    std::size_t line;
    const char* problem;
};

TEST(CaptureParser, BrokenCapturesAreRefusedAtTheirLine) {
    const std::string open = "0 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1";
    const std::string longData(kMaxLineLength, '0');
    const std::vector<BadCapture> cases = {
        {"empty", "", 1, "empty"},
        {"foreign file", "hello\n", 1, "not a QuarnSoft capture"},
        {"newer version", "quarnsoft-capture 2\n", 1, "version '2'"},
        {"cut off in a line", captureOf({open}) + "5 Read handle=1 asked=4 = FT_OK got=4 da", 3,
         "no line end"},
        {"time backwards", captureOf({"50 ListDevices flags=0x80000000 = FT_OK count=0", open}), 3,
         "back in time: 0 ms after 50 ms"},
        {"read before open", captureOf({"0 Read handle=1 asked=1 = FT_OK got=1 data=01", open}), 2,
         "handle 1, which no earlier OpenEx gave"},
        {"handle never opened", captureOf({open, "1 Close handle=2 = FT_OK"}), 3, "handle 2"},
        {"handles out of order", captureOf({"0 OpenEx flags=0x2 name=\"Q\" = FT_OK handle=2"}), 2,
         "handle 2 where the next is 1"},
        {"huge length", captureOf({open, "1 Read handle=1 asked=4294967296 = FT_IO_ERROR"}), 3,
         "not a number"},
        {"write longer than asked", captureOf({open, "1 Write handle=1 asked=1 data=0102 = FT_OK"}),
         3, "2 bytes of data where 1 were asked"},
        {"read shorter than got",
         captureOf({open, "1 Read handle=1 asked=900 = FT_OK got=900 data=01"}), 3,
         "got=900 and asked=900 make 900"},
        {"read without data", captureOf({open, "1 Read handle=1 asked=9 = FT_OK got=0"}), 3,
         "got= and data= together"},
        {"bad hex", captureOf({open, "1 Write handle=1 asked=2 data=01ZZ = FT_OK"}), 3,
         "not pairs of hex digits"},
        {"odd hex", captureOf({open, "1 Write handle=1 asked=2 data=010 = FT_OK"}), 3,
         "not pairs of hex digits"},
        {"overlong line", captureOf({open, "1 Write handle=1 asked=1 data=" + longData}), 3,
         "longer than 262144"},
        {"NUL", captureOf({open, std::string("1 Close handle=1 = FT_OK\0", 25)}), 3,
         "control character 0x0"},
        {"invalid UTF-8 in a comment", captureOf({"# caf\xC3", open}), 2, "not valid UTF-8"},
        {"surrogate in a comment", captureOf({open, "# \xED\xA0\x80"}), 3, "not valid UTF-8"},
        {"raw byte in a text", captureOf({"0 OpenEx flags=0x2 name=\"caf\xC3\xA9\" = FT_OK"}), 2,
         "outside plain ASCII"},
        {"unknown call", captureOf({"0 Frobnicate = FT_OK"}), 2, "names no driver call"},
        {"no status", captureOf({open, "1 Close handle=1"}), 3, "is not '<time>"},
        {"two statuses", captureOf({open, "1 Close handle=1 = FT_OK = FT_OK"}), 3, "more than one"},
        {"unknown status", captureOf({open, "1 Close handle=1 = FT_FINE"}), 3, "no status"},
        {"results of a failure",
         captureOf({open, "1 GetQueueStatus handle=1 = FT_IO_ERROR waiting=3"}), 3,
         "results for a call that failed"},
        {"unknown field", captureOf({open, "1 Purge handle=1 mask=0x3 colour=red = FT_OK"}), 3,
         "'colour'"},
        {"field twice", captureOf({open, "1 Purge handle=1 mask=1 mask=2 = FT_OK"}), 3, "twice"},
        {"field missing", captureOf({open, "1 Purge handle=1 = FT_OK"}), 3, "lacks its mask="},
        {"not a field", captureOf({open, "1 Purge handle=1 0x3 = FT_OK"}), 3, "'0x3'"},
        {"text not closed", captureOf({"0 OpenEx flags=0x2 name=\"Quarn = FT_OK"}), 2,
         "closing quote"},
        {"unknown escape", captureOf({"0 OpenEx flags=0x2 name=\"a\\q\" = FT_OK"}), 2, "escapes"},
        {"NUL in a text", captureOf({"0 OpenEx flags=0x2 name=\"a\\x00\" = FT_OK"}), 2, "NUL"},
        {"description too long",
         captureOf({"0 ListDevices index=0 flags=0x40000002 = FT_OK text=\"" +
                    std::string(65, 'a') + "\""}),
         2, "longer than 64"},
        {"two texts for one index",
         captureOf({"0 ListDevices index=0 flags=0x40000002 = FT_OK text=\"a\" text=\"b\""}), 2,
         "more than one text"},
        {"index missing", captureOf({"0 ListDevices flags=0x40000002 = FT_DEVICE_NOT_FOUND"}), 2,
         "lacks its index="},
        {"negative time", captureOf({"-5 Close handle=0 = FT_OK"}), 2, "time in milliseconds"},
        {"time too large", captureOf({"1000000000001 Close handle=0 = FT_OK"}), 2,
         "time in milliseconds"},
    };
    for (const BadCapture& bad : cases) {
        SCOPED_TRACE(bad.what);
        const ParsedCapture parsed = parseCapture(bad.text);
        ASSERT_FALSE(parsed.ok());
        EXPECT_TRUE(parsed.events.empty());
        EXPECT_EQ(parsed.error->line, bad.line) << parsed.error->message();
        EXPECT_NE(parsed.error->message().find(bad.problem), std::string::npos)
            << parsed.error->message();
    }
}

TEST(CaptureParser, LargerThanTheLimitIsRefusedUnread) {
    const ParsedCapture tooLarge = parseCapture(std::string(kMaxCaptureBytes + 1, '\n'));
    ASSERT_FALSE(tooLarge.ok());
    EXPECT_EQ(tooLarge.error->message(), "the capture is larger than 64 MiB");
}

}  // namespace
}  // namespace quarn::capture
