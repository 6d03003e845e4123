#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "drivers/d2xx/VendorDriver.h"
#include "sim/DeviceConfig.h"

namespace quarn::d2xx {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Every one of the nine calls must fail, whatever it is given.
void expectEveryCallFails(VendorDriver& driver) {
    FtDword n = 0;
    char text[100] = "QuarnProg";
    FtHandle handle = nullptr;
    EXPECT_NE(driver.listDevices(&n, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_NE(driver.listDevices(nullptr, text, ft::kListByIndex | ft::kOpenByDescription),
              ft::kOk);
    EXPECT_NE(driver.openEx(text, ft::kOpenByDescription, &handle), ft::kOk);
    EXPECT_NE(driver.resetDevice(handle), ft::kOk);
    EXPECT_NE(driver.purge(handle, ft::kPurgeRx | ft::kPurgeTx), ft::kOk);
    EXPECT_NE(driver.write(handle, text, 7, &n), ft::kOk);
    EXPECT_NE(driver.getQueueStatus(handle, &n), ft::kOk);
    EXPECT_NE(driver.setTimeouts(handle, 5000, 0), ft::kOk);
    EXPECT_NE(driver.read(handle, text, 10, &n), ft::kOk);
    EXPECT_NE(driver.close(handle), ft::kOk);
}

TEST(VendorDriver, MissingLibraryOrFunctionsMakeEveryCallFail) {
    VendorDriver absent("libquarn-no-such-driver.so");
    EXPECT_FALSE(absent.loaded());
    EXPECT_NE(absent.loadError().find("libquarn-no-such-driver.so"), std::string::npos);
    EXPECT_EQ(absent.loadError().find('\n'), std::string::npos);
    expectEveryCallFails(absent);

    // A library that loads but lacks the driver's functions.
#if defined(_WIN32)
    VendorDriver wrong("kernel32.dll");
#else
    VendorDriver wrong("libc.so.6");
#endif
    EXPECT_FALSE(wrong.loaded());
    EXPECT_NE(wrong.loadError().find("FT_ListDevices"), std::string::npos);
    expectEveryCallFails(wrong);
}

// Takes the frame markers off and pairs the doubled 0x01 bytes.
Bytes unescapeFrame(const Bytes& wire) {
    if (wire.size() < 4 || wire[0] != 0x01 || wire[1] != 0x02 || wire[wire.size() - 2] != 0x01 ||
        wire.back() != 0x03) {
        return {};
    }
    Bytes body;
    for (std::size_t i = 2; i + 2 < wire.size(); ++i) {
        body.push_back(wire[i]);
        if (wire[i] == 0x01) {
            ++i;
        }
    }
    return body;
}

// The drop-in simulator, found by file name through the library search path
// (the test's environment points it at the drop-in's directory).
TEST(VendorDriver, DropInAnswersAnIdentityRequestThroughTheNineFunctions) {
    VendorDriver driver;
    ASSERT_TRUE(driver.loaded()) << driver.loadError()
                                 << " (run under ctest, or with LD_LIBRARY_PATH=<build>/dropin)";

    FtDword count = 0;
    ASSERT_EQ(driver.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    ASSERT_EQ(count, 1U);
    char description[100];
    std::memset(description, ' ', sizeof description);
    ASSERT_EQ(driver.listDevices(reinterpret_cast<void*>(std::uintptr_t{0}), description,
                                 ft::kListByIndex | ft::kOpenByDescription),
              ft::kOk);
    EXPECT_STREQ(description, "QuarnProg");

    FtHandle handle = nullptr;
    ASSERT_EQ(driver.openEx(description, ft::kOpenByDescription, &handle), ft::kOk);
    EXPECT_EQ(driver.resetDevice(handle), ft::kOk);
    EXPECT_EQ(driver.purge(handle, ft::kPurgeRx | ft::kPurgeTx), ft::kOk);
    Bytes request{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03};
    FtDword written = 0;
    ASSERT_EQ(driver.write(handle, request.data(), 7, &written), ft::kOk);
    EXPECT_EQ(written, 7U);

    // Real time: wait, within a generous bound, for the reply to arrive.
    FtDword waiting = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (waiting == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_EQ(driver.getQueueStatus(handle, &waiting), ft::kOk);
    }
    ASSERT_GT(waiting, 0U);
    ASSERT_EQ(driver.setTimeouts(handle, 5000, 0), ft::kOk);
    Bytes wire(waiting);
    FtDword got = 0;
    ASSERT_EQ(driver.read(handle, wire.data(), waiting, &got), ft::kOk);
    wire.resize(got);

    const Bytes body = unescapeFrame(wire);
    ASSERT_EQ(body.size(), 19U);  // command, 16 payload bytes, checksum
    unsigned sum = 0;
    for (std::size_t i = 0; i < 17; ++i) {
        sum += body[i];
    }
    EXPECT_EQ(sum, static_cast<unsigned>(body[17] << 8 | body[18]));
    const sim::DeviceConfig expected;
    EXPECT_EQ(body[0], 0x01);
    EXPECT_EQ(body[1] << 8 | body[2], sim::kZelDeviceType);
    EXPECT_EQ(std::string(body.begin() + 3, body.begin() + 13), expected.serial);
    EXPECT_EQ(body[13] << 8 | body[14], expected.hardware);
    EXPECT_EQ(body[15] << 8 | body[16], expected.firmware);

    EXPECT_EQ(driver.close(handle), ft::kOk);
    EXPECT_EQ(driver.close(handle), ft::kInvalidHandle);
}

}  // namespace
}  // namespace quarn::d2xx
