// The libftdi backend's nine calls, through the real libftdi, against the
// libusb stand-in's FT232R chips and the simulated bus behind them.

#include <gtest/gtest.h>

#include <libusb.h>

#include <array>
#include <filesystem>

#include "link/UsbLink.h"
#include "sim/SimFrameCodec.h"
#include "unit/libftdi/LibFtdiRig.h"

namespace quarn::libftdi::testing {
namespace {

using usbstand::AdapterFaults;
using usbstand::LineSettings;

class LibFtdiDriverTest : public LibFtdiRig {};

class ByteSink final : public link::ReadTarget {
  public:
    std::size_t freeRoom() const override { return 4096; }
    void append(std::span<const std::uint8_t> bytes) override {
        got.insert(got.end(), bytes.begin(), bytes.end());
    }
    Bytes got;
};

TEST_F(LibFtdiDriverTest, OpenLeavesTheChipAsTheVendorLibraryDoesAndGivesTheKernelDriverBack) {
    const sim::Adapter& adapter = plug();
    const std::string serial = adapter.serialNumber();
    // Another program left the chip at 115200 7E2 with hardware handshake.
    usbstand::setLine(serial,
                      LineSettings{115200, 7, usbstand::Parity::Even, usbstand::StopBits::Two,
                                   usbstand::FlowControl::RtsCts, 2});
    usbstand::bindKernelDriver(serial);

    const FtHandle handle = open("QuarnProg");
    auto chip = usbstand::chipReport(serial);
    ASSERT_TRUE(chip);
    EXPECT_EQ(chip->line, LineSettings{});  // 9600 8N1, no flow control, 16 ms
    EXPECT_FALSE(chip->kernelDriverBound);
    EXPECT_EQ(chip->kernelDriverDetaches, 1);
    EXPECT_TRUE(chip->interfaceClaimed);
    EXPECT_EQ(bus.openHandleCount(), 1U);
    EXPECT_TRUE(log.has("opened \"QuarnProg\" (serial QS000001)"));

    ASSERT_EQ(driver.close(handle), ft::kOk);
    chip = usbstand::chipReport(serial);
    EXPECT_TRUE(chip->kernelDriverBound);
    EXPECT_EQ(chip->kernelDriverAttaches, 1);
    EXPECT_FALSE(chip->interfaceClaimed);
    EXPECT_EQ(bus.openHandleCount(), 0U);
    EXPECT_EQ(usbstand::openDeviceHandles(), 0);
    EXPECT_EQ(usbstand::liveContexts(), 1) << "only the listing context stays";
    EXPECT_TRUE(log.has("closed \"QuarnProg\""));

    // A closed handle, like one never handed out, is refused everywhere.
    for (const FtHandle stale : {handle, reinterpret_cast<FtHandle>(0x1234)}) {
        FtDword count = 0;
        Bytes buffer(4);
        EXPECT_EQ(driver.resetDevice(stale), ft::kInvalidHandle);
        EXPECT_EQ(driver.purge(stale, ft::kPurgeRx), ft::kInvalidHandle);
        EXPECT_EQ(driver.write(stale, buffer.data(), 4, &count), ft::kInvalidHandle);
        EXPECT_EQ(driver.getQueueStatus(stale, &count), ft::kInvalidHandle);
        EXPECT_EQ(driver.setTimeouts(stale, 10, 10), ft::kInvalidHandle);
        EXPECT_EQ(driver.read(stale, buffer.data(), 4, &count), ft::kInvalidHandle);
        EXPECT_EQ(driver.close(stale), ft::kInvalidHandle);
    }
}

TEST_F(LibFtdiDriverTest, ListsAdaptersByDescriptionAndSerialAlsoThoseItMayNotOpen) {
    plug("QuarnProg");
    const sim::Adapter& denied = plug("Other programmer");
    usbstand::setFaults(denied.serialNumber(), AdapterFaults{.denyAccess = true});
    sysfs.addDevice(sysfsName(denied), "Other programmer", denied.serialNumber());

    FtDword count = 0;
    ASSERT_EQ(driver.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(count, 2U);
    EXPECT_EQ(listed(0, ft::kOpenByDescription), "QuarnProg");
    EXPECT_EQ(listed(0, ft::kOpenBySerialNumber), "QS000001");
    EXPECT_EQ(listed(1, ft::kOpenByDescription), "Other programmer");  // from sysfs
    EXPECT_EQ(listed(1, ft::kOpenBySerialNumber), "QS000002");
    EXPECT_EQ(listed(2, ft::kOpenByDescription, ft::kDeviceNotFound), "untouched");
    EXPECT_TRUE(log.has("reading the strings of adapter 1 failed"));

    std::array<std::array<char, ft::kMaxDescription>, 2> texts{};
    std::array<void*, 3> buffers{texts[0].data(), texts[1].data(), nullptr};
    count = 0;
    ASSERT_EQ(driver.listDevices(buffers.data(), &count, ft::kListAll | ft::kOpenByDescription),
              ft::kOk);
    EXPECT_EQ(count, 2U);
    EXPECT_STREQ(texts[0].data(), "QuarnProg");
    EXPECT_STREQ(texts[1].data(), "Other programmer");

    // Without sysfs the adapter's description is nowhere to be had.
    std::filesystem::remove_all(std::filesystem::path(sysfs.root()) / sysfsName(denied));
    listed(1, ft::kOpenByDescription, ft::kDeviceNotOpened);

    EXPECT_EQ(driver.listDevices(nullptr, nullptr, ft::kListNumberOnly), ft::kInvalidParameter);
    EXPECT_EQ(driver.listDevices(nullptr, nullptr, ft::kListByIndex), ft::kInvalidParameter);
}

TEST_F(LibFtdiDriverTest, OpensTheFirstMatchNotYetHeldAndTellsNotFoundFromNotOpened) {
    const sim::Adapter& first = plug();
    const sim::Adapter& second = plug();

    const FtHandle one = open("QuarnProg");
    const FtHandle two = open("QuarnProg");
    EXPECT_NE(one, two);
    EXPECT_TRUE(usbstand::chipReport(first.serialNumber())->interfaceClaimed);
    EXPECT_TRUE(usbstand::chipReport(second.serialNumber())->interfaceClaimed);
    open("QuarnProg", ft::kOpenByDescription, ft::kDeviceNotOpened);
    open("QS000002", ft::kOpenBySerialNumber, ft::kDeviceNotOpened);
    open("Quarn", ft::kOpenByDescription, ft::kDeviceNotFound);  // exact text only
    open("QS000009", ft::kOpenBySerialNumber, ft::kDeviceNotFound);
    EXPECT_FALSE(driver.lastOpenFailure()) << "nothing stood in an adapter's way";

    ASSERT_EQ(driver.close(two), ft::kOk);
    const FtHandle again = open("QS000002", ft::kOpenBySerialNumber);
    EXPECT_NE(again, two) << "handles are never handed out twice";
    EXPECT_EQ(bus.openHandleCount(), 2U);
}

TEST_F(LibFtdiDriverTest, AnAdapterThatCannotBeOpenedIsExplained) {
    const sim::Adapter& denied = plug();
    const sim::Adapter& busy = plug("Busy one");
    usbstand::setFaults(denied.serialNumber(), AdapterFaults{.denyAccess = true});
    usbstand::setFaults(busy.serialNumber(), AdapterFaults{.interfaceBusy = true});
    sysfs.addDevice(sysfsName(denied), "QuarnProg", denied.serialNumber());
    sysfs.bindInterfaceDriver(sysfsName(denied), "ftdi_sio");

    open("QuarnProg", ft::kOpenByDescription, ft::kDeviceNotOpened);
    ASSERT_TRUE(driver.lastOpenFailure());
    const diagnosis::AdapterFacts& facts = *driver.lastOpenFailure();
    EXPECT_EQ(facts.open, diagnosis::OpenOutcome::AccessDenied);
    EXPECT_EQ(facts.openDetail, "LIBUSB_ERROR_ACCESS");
    EXPECT_EQ(facts.description, "QuarnProg");
    EXPECT_EQ(facts.serial, "QS000001");
    EXPECT_EQ(facts.port, "1.1");
    EXPECT_EQ(facts.nodePath, "/dev/bus/usb/001/003");
    EXPECT_EQ(facts.kernelDriver, diagnosis::KernelDriver::Attached);
    EXPECT_EQ(facts.kernelDriverName, "ftdi_sio");
    EXPECT_TRUE(log.has("opening \"QuarnProg\" (serial QS000001) failed"));

    open("Busy one", ft::kOpenByDescription, ft::kDeviceNotOpened);
    ASSERT_TRUE(driver.lastOpenFailure());
    EXPECT_EQ(driver.lastOpenFailure()->open, diagnosis::OpenOutcome::Busy);
    EXPECT_EQ(driver.lastOpenFailure()->openDetail, "LIBUSB_ERROR_BUSY");
    EXPECT_EQ(bus.openHandleCount(), 0U);

    usbstand::setFaults(busy.serialNumber(), AdapterFaults{});
    open("Busy one");
    EXPECT_FALSE(driver.lastOpenFailure()) << "a successful open clears it";
}

TEST_F(LibFtdiDriverTest, ReceivedBytesCrossPacketsWithoutTheirStatusBytes) {
    sim::Adapter& adapter = plug();
    const FtHandle handle = open("QuarnProg");
    const Bytes sent = countingBytes(300);  // five packets' worth
    adapter.injectNoise(sent);
    EXPECT_EQ(waiting(handle), 300U);
    EXPECT_EQ(adapter.bytesWaiting(), 0U) << "the backend holds them now";
    Bytes got = read(handle, 100);
    const Bytes rest = read(handle, 200);
    got.insert(got.end(), rest.begin(), rest.end());
    EXPECT_EQ(got, sent);
    EXPECT_EQ(waiting(handle), 0U);

    // Short packets take one transfer each; a zero-length packet ends the
    // transfer that meets it, and those behind it take the bytes, or the
    // next call's do when every transfer in flight met one. Nothing is lost,
    // doubled or mixed with status bytes.
    const struct {
        int packetData;
        int zeroLength;
    } lines[] = {{1, 0}, {5, 1}, {61, 2}, {62, 3}, {62, 9}};
    for (const auto& line : lines) {
        SCOPED_TRACE(line.zeroLength);
        usbstand::setFaults(
            adapter.serialNumber(),
            AdapterFaults{.inPacketData = line.packetData, .zeroLengthPackets = line.zeroLength});
        const Bytes burst = countingBytes(150, static_cast<std::uint8_t>(line.packetData));
        adapter.injectNoise(burst);
        FtDword count = 0;
        for (int call = 0; call <= line.zeroLength && count == 0; ++call) {
            count = waiting(handle);
            EXPECT_TRUE(count == 0 || count == 150U) << count;
        }
        EXPECT_EQ(count, 150U);
        EXPECT_EQ(read(handle, 150), burst);
    }
}

TEST_F(LibFtdiDriverTest, PurgeEmptiesTheBackendsQueueAndTheAdapters) {
    sim::Adapter& adapter = plug();
    const FtHandle handle = open("QuarnProg");
    adapter.injectNoise(countingBytes(40));
    ASSERT_EQ(waiting(handle), 40U);
    adapter.injectNoise(countingBytes(30));  // still in the adapter
    ASSERT_EQ(driver.purge(handle, ft::kPurgeTx), ft::kOk);
    EXPECT_EQ(adapter.bytesWaiting(), 30U) << "purging transmit keeps received bytes";
    ASSERT_EQ(driver.purge(handle, ft::kPurgeRx | ft::kPurgeTx), ft::kOk);
    EXPECT_EQ(adapter.bytesWaiting(), 0U);
    EXPECT_EQ(waiting(handle), 0U);

    adapter.injectNoise(countingBytes(20));
    ASSERT_EQ(waiting(handle), 20U);
    ASSERT_EQ(driver.resetDevice(handle), ft::kOk);
    EXPECT_EQ(waiting(handle), 0U) << "a reset empties the queue too";
}

TEST_F(LibFtdiDriverTest, WritesEveryByteAcrossPacketsAndTheSensorAnswers) {
    sim::Adapter& adapter = plug();
    const FtHandle handle = open("QuarnProg");
    Bytes requests;
    for (int i = 0; i < 12; ++i) {
        const Bytes frame = sim::encodeFrame(0, {});  // identity request
        requests.insert(requests.end(), frame.begin(), frame.end());
    }
    ASSERT_GT(requests.size(), 64U);
    EXPECT_EQ(write(handle, requests), requests.size());
    EXPECT_EQ(adapter.framesReceived(0), 12U);
    clock.advance(sim::Adapter::kDefaultReplyDelayMs);
    const FtDword replies = waiting(handle);
    EXPECT_GT(replies, 12U * 20U);
    EXPECT_EQ(read(handle, replies).size(), replies);
}

TEST_F(LibFtdiDriverTest, ReadWaitsNoLongerThanItsTimeout) {
    sim::Adapter& adapter = plug();
    const FtHandle handle = open("QuarnProg");
    adapter.injectNoise(countingBytes(5));
    for (const FtDword timeoutMs : {0U, 20U}) {
        ASSERT_EQ(driver.setTimeouts(handle, timeoutMs, 0), ft::kOk);
        adapter.injectNoise(countingBytes(5));
        EXPECT_EQ(read(handle, 10).size(), timeoutMs == 0 ? 10U : 5U) << timeoutMs;
    }
}

// The adapter pulled out while the link reads, and a chip that drops off the
// bus in the middle of a transfer: the handle fails with FT_IO_ERROR from
// then on, the link reports a driver failure, and the handle still closes.
TEST_F(LibFtdiDriverTest, AnAdapterGoneMidReadFailsEveryCallButClose) {
    sim::Adapter& adapter = plug();
    link::UsbLink link(driver);
    ASSERT_EQ(link.open(), link::LinkStatus::Open);
    ByteSink sink;
    adapter.injectNoise(countingBytes(10));
    ASSERT_EQ(link.read(sink), link::LinkStatus::Open);
    EXPECT_EQ(sink.got, countingBytes(10));

    bus.unplug(adapter);
    EXPECT_EQ(link.read(sink), link::LinkStatus::DriverFailed);
    FtDword count = 0;
    Bytes buffer(8);
    EXPECT_EQ(driver.setTimeouts(link.handle(), 10, 10), ft::kIoError);
    EXPECT_EQ(driver.write(link.handle(), buffer.data(), 8, &count), ft::kIoError);
    EXPECT_EQ(count, 0U);
    EXPECT_EQ(driver.purge(link.handle(), ft::kPurgeRx), ft::kIoError);
    EXPECT_EQ(driver.read(link.handle(), buffer.data(), 8, &count), ft::kIoError);
    EXPECT_TRUE(log.has("the adapter is gone"));
    bus.replug(adapter);
    EXPECT_EQ(driver.resetDevice(link.handle()), ft::kIoError) << "also once it is back";
    const FtHandle fresh = open("QuarnProg");  // the dead handle holds nothing back
    EXPECT_EQ(driver.close(fresh), ft::kOk);
    EXPECT_EQ(link.close(), link::LinkStatus::Open);
    EXPECT_EQ(bus.openHandleCount(), 0U);

    // Back on the bus it opens again; then its chip vanishes after 40 of
    // 100 waiting bytes.
    ASSERT_EQ(link.open(), link::LinkStatus::Open);
    usbstand::setFaults(adapter.serialNumber(), AdapterFaults{.vanishAfterBytes = 40});
    adapter.injectNoise(countingBytes(100));
    EXPECT_EQ(link.read(sink), link::LinkStatus::DriverFailed);
    EXPECT_EQ(driver.getQueueStatus(link.handle(), &count), ft::kIoError);
    EXPECT_EQ(link.close(), link::LinkStatus::Open);
    EXPECT_EQ(link.open(), link::LinkStatus::NotFound) << "the chip is off the bus";
}

TEST(LibFtdiWithoutLibusb, EveryCallFailsWithOtherErrorAndNothingCrashes) {
    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    bus.plugAdapter("QuarnProg");
    StandInAttachment attachment{bus};
    usbstand::setInitFailure(LIBUSB_ERROR_OTHER);
    RecordingLog log;
    LibFtdiDriver driver{log};
    EXPECT_FALSE(driver.usable());
    EXPECT_NE(driver.failure(), "");
    EXPECT_TRUE(log.has("libusb_init failed"));

    char name[] = "QuarnProg";
    FtDword count = 0;
    FtHandle handle = nullptr;
    Bytes buffer(4);
    const auto fake = reinterpret_cast<FtHandle>(0x7110);
    EXPECT_EQ(driver.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOtherError);
    EXPECT_EQ(driver.listDevices(nullptr, nullptr, 0), ft::kOtherError);
    EXPECT_EQ(driver.openEx(name, ft::kOpenByDescription, &handle), ft::kOtherError);
    EXPECT_EQ(driver.openEx(nullptr, 0, nullptr), ft::kOtherError);
    EXPECT_EQ(driver.resetDevice(fake), ft::kOtherError);
    EXPECT_EQ(driver.purge(fake, ft::kPurgeRx), ft::kOtherError);
    EXPECT_EQ(driver.write(fake, buffer.data(), 4, &count), ft::kOtherError);
    EXPECT_EQ(driver.getQueueStatus(fake, &count), ft::kOtherError);
    EXPECT_EQ(driver.setTimeouts(fake, 1, 1), ft::kOtherError);
    EXPECT_EQ(driver.read(fake, buffer.data(), 4, &count), ft::kOtherError);
    EXPECT_EQ(driver.close(fake), ft::kOtherError);
    EXPECT_EQ(usbstand::liveContexts(), 0);

    const diagnosis::SurveyResult survey = surveyFtdiAdapters();
    EXPECT_FALSE(survey.usbUsable);
    EXPECT_NE(survey.failure.find("LIBUSB_ERROR_OTHER"), std::string::npos) << survey.failure;
    EXPECT_TRUE(survey.adapters.empty());
}

}  // namespace
}  // namespace quarn::libftdi::testing
