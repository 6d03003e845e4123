#pragma once
// The libftdi backend against the libusb stand-in: a simulated bus on a
// virtual clock attached to the stand-in, a temporary sysfs tree, a
// developer log that keeps its lines, and the backend itself, built last and
// gone first.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "drivers/libftdi/LibFtdiDriver.h"
#include "platform/VirtualClock.h"
#include "sim/SimulatedBus.h"
#include "sim/usbstand/UsbStandIn.h"
#include "support/TempDir.h"

namespace quarn::libftdi::testing {

using Bytes = std::vector<std::uint8_t>;

class RecordingLog final : public DevLog {
  public:
    bool enabled(LogArea area) const override { return area == LogArea::Usb; }
    void write(LogArea /*area*/, const std::string& line) override { lines.push_back(line); }

    bool has(const std::string& part) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& line) { return line.find(part) != npos; });
    }

    static constexpr auto npos = std::string::npos;
    std::vector<std::string> lines;
};

// Attached for the lifetime of the object.
class StandInAttachment {
  public:
    explicit StandInAttachment(sim::SimulatedBus& bus) { usbstand::attachBus(&bus); }
    ~StandInAttachment() { usbstand::attachBus(nullptr); }
    StandInAttachment(const StandInAttachment&) = delete;
    StandInAttachment& operator=(const StandInAttachment&) = delete;
};

// A sysfs tree of USB devices: <root>/<name>/{product,serial} and the first
// interface's driver link.
class FakeSysfs {
  public:
    std::string root() const { return dir_.str(); }

    void addDevice(const std::string& name, const std::string& product,
                   const std::string& serial) const {
        const std::filesystem::path device = dir_.path() / name;
        std::filesystem::create_directories(device);
        std::ofstream(device / "product") << product << '\n';
        std::ofstream(device / "serial") << serial << '\n';
    }
    void bindInterfaceDriver(const std::string& name, const std::string& driver) const {
        const std::filesystem::path interface = dir_.path() / (name + ":1.0");
        std::filesystem::create_directories(interface);
        std::filesystem::create_directory_symlink("../../../bus/usb/drivers/" + driver,
                                                  interface / "driver");
    }

  private:
    quarn::testing::TempDir dir_;
};

class LibFtdiRig : public ::testing::Test {
  protected:
    sim::Adapter& plug(const std::string& description = "QuarnProg") {
        sim::Adapter& adapter = bus.plugAdapter(description);
        sim::DeviceConfig sensor;
        sensor.randomMotion = false;
        adapter.attachDevice(sensor);
        return adapter;
    }
    static std::string sysfsName(const sim::Adapter& adapter) {
        const auto place = usbstand::placeOf(adapter.serialNumber());
        return place ? place->sysfsName : std::string();
    }

    FtHandle open(const std::string& text, FtDword flags = ft::kOpenByDescription,
                  FtStatus expected = ft::kOk) {
        std::string argument = text;
        FtHandle handle = nullptr;
        EXPECT_EQ(driver.openEx(argument.data(), flags, &handle), expected) << text;
        return handle;
    }
    FtDword waiting(FtHandle handle) {
        FtDword count = 0;
        EXPECT_EQ(driver.getQueueStatus(handle, &count), ft::kOk);
        return count;
    }
    Bytes read(FtHandle handle, FtDword count) {
        Bytes bytes(count);
        FtDword got = 0;
        EXPECT_EQ(driver.read(handle, bytes.data(), count, &got), ft::kOk);
        bytes.resize(got);
        return bytes;
    }
    FtDword write(FtHandle handle, Bytes bytes, FtStatus expected = ft::kOk) {
        FtDword written = 0;
        EXPECT_EQ(driver.write(handle, bytes.data(), static_cast<FtDword>(bytes.size()), &written),
                  expected);
        return written;
    }
    std::string listed(FtDword index, FtDword flags, FtStatus expected = ft::kOk) {
        char text[ft::kMaxDescription] = "untouched";
        void* indexArg = reinterpret_cast<void*>(static_cast<std::uintptr_t>(index));
        EXPECT_EQ(driver.listDevices(indexArg, text, ft::kListByIndex | flags), expected);
        return text;
    }

    VirtualClock clock;
    sim::SimulatedBus bus{clock};
    StandInAttachment attachment{bus};
    FakeSysfs sysfs;
    RecordingLog log;
    LibFtdiDriver driver{log, sysfs.root()};
};

// Bytes 0, 1, 2 ... wrapping at 256, as far as count.
inline Bytes countingBytes(std::size_t count, std::uint8_t first = 0) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(first + i);
    }
    return bytes;
}

}  // namespace quarn::libftdi::testing
