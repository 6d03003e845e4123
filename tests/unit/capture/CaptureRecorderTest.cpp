// The recorder between the link and a driver: each call passes through
// unchanged and is on the disk as a line before the call returns; a file
// that cannot be made is a message, one that cannot be written any more
// stops the recording but not the session.

#include <gtest/gtest.h>
#if !defined(_WIN32)
#include <sys/resource.h>
#endif

#include <csignal>
#include <string>

#include "drivers/capture/CaptureParser.h"
#include "drivers/capture/CaptureRecorder.h"
#include "link/UsbLink.h"
#include "platform/VirtualClock.h"
#include "support/RecordingDriver.h"
#include "support/TempDir.h"

namespace quarn::capture {
namespace {

using quarn::testing::RecordingDriver;
using quarn::testing::TempDir;

class LinkReadTarget final : public link::ReadTarget {
  public:
    std::size_t freeRoom() const override { return 100; }
    void append(std::span<const std::uint8_t> bytes) override {
        received.insert(received.end(), bytes.begin(), bytes.end());
    }
    std::vector<std::uint8_t> received;
};

struct RecordedLink {
    explicit RecordedLink(const std::filesystem::path& path) {
        auto opening =
            CaptureRecorder::create(driver, clock, path, "QuarnSoft 1.0.0\nsecond\tline");
        EXPECT_EQ(opening.error, "");
        recorder = std::move(opening.recorder);
        clock.advance(10);
    }

    VirtualClock clock;
    RecordingDriver driver;
    std::unique_ptr<CaptureRecorder> recorder;
};

TEST(CaptureRecorder, FileThatCannotBeMadeIsAMessage) {
    VirtualClock clock;
    RecordingDriver driver;
    TempDir dir;
    const auto missing = dir.file("no-such-folder") / "session.capture";
    auto opening = CaptureRecorder::create(driver, clock, missing);
    EXPECT_EQ(opening.recorder, nullptr);
    EXPECT_EQ(opening.error,
              "cannot create the capture " + missing.string() + ": No such file or directory");

    auto full = CaptureRecorder::create(driver, clock, "/dev/full");
    EXPECT_EQ(full.recorder, nullptr);
    EXPECT_EQ(full.error, "cannot write the capture /dev/full: No space left on device");
}

TEST(CaptureRecorder, EachCallIsOnTheDiskBeforeItReturns) {
    TempDir dir;
    RecordedLink rig(dir.file("s.capture"));
    rig.driver.addAdapter("Other", false);  // written without its NUL
    rig.driver.addAdapter("QuarnProg");
    link::UsbLink usb(*rig.recorder);
    ASSERT_EQ(usb.open(), link::LinkStatus::Open);
    rig.clock.advance(40);
    const std::uint8_t frame[] = {0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03};
    usb.write(frame, 7);
    rig.driver.queueRx({0x01, 0x02, 0x05});
    rig.driver.readOverReport = 4;
    LinkReadTarget target;
    usb.read(target);
    rig.driver.failNext("Close", ft::kIoError);
    usb.close();
    rig.recorder->resetDevice(nullptr);

    const std::string other = "Other" + std::string(59, ' ');  // the link's blanks, up to 64
    EXPECT_EQ(dir.read("s.capture"),
              "quarnsoft-capture 1\n"
              "# QuarnSoft driver calls, one a line; see capture-format.md\n"
              "# QuarnSoft 1.0.0\n"
              "# second line\n"
              "10 ListDevices flags=0x80000000 = FT_OK count=2\n"
              "10 ListDevices index=0 flags=0x40000002 = FT_OK text=\"" +
                  other +
                  "\"\n"
                  "10 ListDevices index=1 flags=0x40000002 = FT_OK text=\"QuarnProg\"\n"
                  "10 OpenEx flags=0x2 name=\"QuarnProg\" = FT_OK handle=1\n"
                  "10 ResetDevice handle=1 = FT_OK\n"
                  "50 Purge handle=1 mask=0x3 = FT_OK\n"
                  "50 Write handle=1 asked=7 data=01020000000103 = FT_OK written=7\n"
                  "50 GetQueueStatus handle=1 = FT_OK waiting=3\n"
                  "50 SetTimeouts handle=1 read=5000 write=0 = FT_OK\n"
                  "50 Read handle=1 asked=3 = FT_OK got=7 data=010205\n"
                  "50 Close handle=1 = FT_IO_ERROR\n"
                  "50 ResetDevice handle=0 = FT_OK\n");
    EXPECT_TRUE(rig.recorder->recording());
    EXPECT_TRUE(parseCapture(dir.read("s.capture")).ok());
}

#if !defined(_WIN32)  // a file size limit needs POSIX resource limits
// A file size limit stands for a full disk: the writes past it fail. Runs
// in a child process, whose limit ends with it; exits 0 when all holds.
void recordOntoAFullDisk() {
    TempDir dir;
    RecordedLink rig(dir.file("s.capture"));
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{200, 200};
    setrlimit(RLIMIT_FSIZE, &limit);
    rig.driver.addAdapter("QuarnProg");
    link::UsbLink usb(*rig.recorder);
    bool allOpened = true;
    for (int i = 0; i < 20; ++i) {
        allOpened = allOpened && usb.open() == link::LinkStatus::Open;
        usb.close();
    }
    const bool passedThrough = rig.driver.calls.size() == 20 * 5;
    const bool stopped = !rig.recorder->recording() &&
                         rig.recorder->problem().find("File too large") != std::string::npos;
    // Cut back to its last whole line, the capture still reads.
    const bool readable = parseCapture(dir.read("s.capture")).ok();
    std::exit(allOpened && passedThrough && stopped && readable ? 0 : 1);
}

TEST(CaptureRecorderDeathTest, FullDiskStopsTheRecordingAndNotTheSession) {
    EXPECT_EXIT(recordOntoAFullDisk(), ::testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace quarn::capture
