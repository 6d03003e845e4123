// The replay in place of the driver, call by call: adapters as listed in
// the field, received bytes at their times from the first open, statuses
// from the same moment of the session, writes compared in order, and a
// sensible answer wherever the capture has none.

#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "drivers/capture/ReplayDriver.h"
#include "platform/VirtualClock.h"
#include "unit/capture/CaptureText.h"

namespace quarn::capture {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::eventsOf;

constexpr FtDword kByIndex = ft::kListByIndex | ft::kOpenByDescription;

FtHandle openProgrammer(ReplayDriver& replay, FtStatus expected = ft::kOk) {
    char name[] = "QuarnProg";
    FtHandle handle = nullptr;
    EXPECT_EQ(replay.openEx(name, ft::kOpenByDescription, &handle), expected);
    return handle;
}

FtDword waiting(ReplayDriver& replay, FtHandle handle) {
    FtDword count = 99;
    EXPECT_EQ(replay.getQueueStatus(handle, &count), ft::kOk);
    return count;
}

Bytes readUpTo(ReplayDriver& replay, FtHandle handle, FtDword most) {
    Bytes buffer(most);
    FtDword got = 0;
    EXPECT_EQ(replay.read(handle, buffer.data(), most, &got), ft::kOk);
    buffer.resize(got);
    return buffer;
}

TEST(ReplayDriver, BytesArriveAtTheirTimesCountedFromTheFirstOpen) {
    VirtualClock clock;
    ReplayDriver replay(eventsOf({"100 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1",
                                  "150 Read handle=1 asked=3 = FT_OK got=3 data=010203",
                                  "150 Read handle=1 asked=1 = FT_OK got=1 data=04",
                                  "400 Read handle=1 asked=9 = FT_OK got=2 data=0506"}),
                        clock);
    clock.advanceTo(1000);  // the desk's program opens later than the field's
    const FtHandle handle = openProgrammer(replay);
    clock.advanceTo(1049);
    EXPECT_EQ(waiting(replay, handle), 0U);
    EXPECT_EQ(readUpTo(replay, handle, 10), Bytes{});
    clock.advanceTo(1050);
    EXPECT_EQ(waiting(replay, handle), 4U);
    EXPECT_EQ(readUpTo(replay, handle, 2), (Bytes{1, 2}));
    EXPECT_EQ(waiting(replay, handle), 2U);
    clock.advanceTo(1300);
    EXPECT_EQ(waiting(replay, handle), 4U);
    EXPECT_EQ(readUpTo(replay, handle, 10), (Bytes{3, 4, 5, 6}));
    // A purge throws nothing away, and past the end no more bytes come.
    EXPECT_EQ(replay.purge(handle, ft::kPurgeRx | ft::kPurgeTx), ft::kOk);
    clock.advanceTo(99000);
    EXPECT_EQ(waiting(replay, handle), 0U);
}

TEST(ReplayDriver, AdaptersAreListedAndOpenedAsRecordedThenAsLastRecorded) {
    VirtualClock clock;
    ReplayDriver replay(
        eventsOf({"0 ListDevices flags=0x80000000 = FT_OK count=0",
                  "500 ListDevices flags=0x80000000 = FT_OK count=1",
                  "500 ListDevices index=0 flags=0x40000002 = FT_OK text=\"QuarnProg\"",
                  "500 OpenEx flags=0x2 name=\"QuarnProg\" = FT_DEVICE_NOT_OPENED",
                  "1000 ListDevices index=0 flags=0x40000002 = FT_OK text=\"" +
                      std::string(64, 'L') + "\"",
                  "1000 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1"}),
        clock);
    FtDword count = 9;
    EXPECT_EQ(replay.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(count, 0U);
    EXPECT_EQ(replay.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(count, 1U);
    EXPECT_EQ(replay.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(count, 1U) << "asked more often: the last answer again";

    std::array<char, 100> text{};
    text.fill(' ');
    EXPECT_EQ(replay.listDevices(nullptr, text.data(), kByIndex), ft::kOk);
    EXPECT_STREQ(text.data(), "QuarnProg");
    text.fill(' ');
    EXPECT_EQ(replay.listDevices(nullptr, text.data(), kByIndex), ft::kOk);
    EXPECT_EQ(std::string(text.data(), 65), std::string(64, 'L') + " ") << "no NUL, as recorded";
    EXPECT_EQ(replay.listDevices(reinterpret_cast<void*>(1), text.data(), kByIndex),
              ft::kDeviceNotFound)
        << "an index never asked about";
    std::array<void*, 1> none{nullptr};
    EXPECT_EQ(replay.listDevices(none.data(), &count, ft::kListAll), ft::kOk);
    EXPECT_EQ(count, 0U);

    openProgrammer(replay, ft::kDeviceNotOpened);
    const FtHandle first = openProgrammer(replay);
    const FtHandle again = openProgrammer(replay);
    EXPECT_NE(first, again);
    EXPECT_EQ(replay.close(first), ft::kOk);
    EXPECT_EQ(replay.close(first), ft::kInvalidHandle);
    char other[] = "Other";
    FtHandle handle = nullptr;
    EXPECT_EQ(replay.openEx(other, ft::kOpenByDescription, &handle), ft::kDeviceNotFound);
    EXPECT_EQ(replay.openEx(nullptr, ft::kOpenByDescription, nullptr), ft::kDeviceNotFound);
}

TEST(ReplayDriver, CallsOnAHandleFailFromTheMomentTheyFailedInTheField) {
    VirtualClock clock;
    ReplayDriver replay(eventsOf({"0 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1",
                                  "300 GetQueueStatus handle=1 = FT_OK waiting=0",
                                  "400 GetQueueStatus handle=1 = FT_IO_ERROR",
                                  "400 SetTimeouts handle=1 read=1 write=0 = FT_IO_ERROR",
                                  "400 Close handle=1 = FT_OK"}),
                        clock);
    const FtHandle handle = openProgrammer(replay);
    clock.advanceTo(399);
    FtDword count = 0;
    EXPECT_EQ(replay.getQueueStatus(handle, &count), ft::kOk);
    EXPECT_EQ(replay.setTimeouts(handle, 5000, 0), ft::kOk);
    clock.advanceTo(400);
    EXPECT_EQ(replay.getQueueStatus(handle, &count), ft::kIoError);
    EXPECT_EQ(replay.setTimeouts(handle, 5000, 0), ft::kIoError);
    EXPECT_EQ(replay.resetDevice(handle), ft::kOk) << "never failed in the field";

    // Handles the replay never gave, and missing outputs, never crash.
    auto* stranger = reinterpret_cast<FtHandle>(0x7E10 + 0x1000);
    EXPECT_EQ(replay.read(stranger, nullptr, 5, nullptr), ft::kInvalidHandle);
    EXPECT_EQ(replay.write(nullptr, nullptr, 5, nullptr), ft::kInvalidHandle);
    clock.advanceTo(0);
    EXPECT_EQ(replay.read(handle, nullptr, 5, &count), ft::kInvalidParameter);
    EXPECT_EQ(replay.close(handle), ft::kOk);
    EXPECT_EQ(replay.getQueueStatus(handle, &count), ft::kInvalidHandle);
}

TEST(ReplayDriver, FirstDifferentWriteIsReportedOnceAndTheReplayGoesOn) {
    VirtualClock clock;
    std::vector<WriteDifference> reports;
    ReplayDriver replay(eventsOf({"0 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1",
                                  "10 Write handle=1 asked=2 data=0102 = FT_OK written=2",
                                  "20 Write handle=1 asked=2 data=0304 = FT_OK written=1",
                                  "30 Write handle=1 asked=1 data=05 = FT_IO_ERROR",
                                  "40 Write handle=1 asked=1 data=06 = FT_OK written=1"}),
                        clock, [&](const WriteDifference& d) { reports.push_back(d); });
    const FtHandle handle = openProgrammer(replay);
    auto write = [&](Bytes bytes, FtDword* written) {
        return replay.write(handle, bytes.data(), static_cast<FtDword>(bytes.size()), written);
    };
    FtDword written = 0;
    clock.advanceTo(10);
    EXPECT_EQ(write({1, 2}, &written), ft::kOk);
    EXPECT_TRUE(reports.empty());
    clock.advanceTo(25);
    EXPECT_EQ(write({3, 9}, &written), ft::kOk);
    EXPECT_EQ(written, 1U) << "the driver took one byte in the field";
    EXPECT_EQ(write({7}, &written), ft::kIoError) << "matched by place, answered as recorded";
    EXPECT_EQ(write({8}, &written), ft::kOk);
    EXPECT_EQ(write({9, 9, 9}, &written), ft::kOk) << "past the capture: taken whole";
    EXPECT_EQ(written, 3U);

    ASSERT_EQ(reports.size(), 1U);
    const WriteDifference expected{2, 4, 20, 25, Bytes{3, 4}, Bytes{3, 9}};
    EXPECT_EQ(reports.front(), expected);
    EXPECT_EQ(replay.firstDifference(), expected);
    EXPECT_EQ(describe(expected),
              "write 2 differs from the capture (line 4): recorded at 20 ms as 0304, written at "
              "25 ms as 0309");
    EXPECT_EQ(replay.writesMade(), 5U);
    EXPECT_EQ(replay.recordedWrites(), 4U);
}

}  // namespace
}  // namespace quarn::capture
