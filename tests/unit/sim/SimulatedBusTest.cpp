#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SimHarness.h"

namespace quarn::sim {
namespace {

using testing::Bytes;
using testing::SimHarness;

const Bytes kIdentityRequest{0x01, 0x02, 0x00, 0x00, 0x00, 0x01, 0x03};

std::string describe(SimulatedBus& bus, std::uintptr_t index, FtStatus* status) {
    char buffer[100];
    std::memset(buffer, ' ', sizeof buffer);
    *status = bus.listDevices(reinterpret_cast<void*>(index), buffer,
                              ft::kListByIndex | ft::kOpenByDescription);
    return *status == ft::kOk ? std::string(buffer) : std::string();
}

TEST(SimulatedBus, ListsPluggedAdaptersAndOpensTheFirstFreeMatch) {
    VirtualClock clock;
    SimulatedBus bus(clock);
    bus.plugAdapter("QuarnProg");
    Adapter& other = bus.plugAdapter("Other");
    bus.plugAdapter("QuarnProg");
    bus.plugAdapter(std::string(80, 'x'));

    FtDword count = 0;
    ASSERT_EQ(bus.listDevices(&count, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(count, 4U);
    FtStatus status = ft::kOk;
    EXPECT_EQ(describe(bus, 0, &status), "QuarnProg");
    EXPECT_EQ(describe(bus, 1, &status), "Other");
    // Cut so that it fits a 64-byte buffer with its NUL.
    EXPECT_EQ(describe(bus, 3, &status), std::string(63, 'x'));
    describe(bus, 4, &status);
    EXPECT_EQ(status, ft::kDeviceNotFound);

    bus.unplug(other);
    EXPECT_EQ(bus.adapterCount(), 3U);
    EXPECT_EQ(describe(bus, 1, &status), "QuarnProg");

    // A shared description opens the first adapter, then the second, then none.
    char name[] = "QuarnProg";
    FtHandle first = nullptr;
    FtHandle second = nullptr;
    FtHandle third = nullptr;
    ASSERT_EQ(bus.openEx(name, ft::kOpenByDescription, &first), ft::kOk);
    ASSERT_EQ(bus.openEx(name, ft::kOpenByDescription, &second), ft::kOk);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(bus.openEx(name, ft::kOpenByDescription, &third), ft::kDeviceNotOpened);
    char missing[] = "quarnprog";
    EXPECT_EQ(bus.openEx(missing, ft::kOpenByDescription, &third), ft::kDeviceNotFound);
    EXPECT_EQ(third, nullptr);
}

TEST(SimulatedBus, RejectsUnknownClosedAndNullArgumentsWithoutCrashing) {
    SimHarness h;
    FtDword n = 0;
    Bytes buffer(16);
    auto* bogus = reinterpret_cast<FtHandle>(std::uintptr_t{0x1234});
    EXPECT_EQ(h.bus.getQueueStatus(bogus, &n), ft::kInvalidHandle);
    EXPECT_EQ(h.bus.write(nullptr, buffer.data(), 4, &n), ft::kInvalidHandle);
    EXPECT_EQ(h.bus.getQueueStatus(h.handle, nullptr), ft::kInvalidParameter);
    EXPECT_EQ(h.bus.read(h.handle, nullptr, 4, &n), ft::kInvalidParameter);
    EXPECT_EQ(h.bus.write(h.handle, buffer.data(), 4, nullptr), ft::kInvalidParameter);
    EXPECT_EQ(h.bus.listDevices(nullptr, nullptr, ft::kListNumberOnly), ft::kInvalidParameter);
    EXPECT_EQ(h.bus.openEx(nullptr, ft::kOpenByDescription, &bogus), ft::kInvalidParameter);

    EXPECT_EQ(h.bus.close(h.handle), ft::kOk);
    EXPECT_EQ(h.bus.close(h.handle), ft::kInvalidHandle);
    EXPECT_EQ(h.bus.read(h.handle, buffer.data(), 4, &n), ft::kInvalidHandle);
    EXPECT_EQ(h.bus.setTimeouts(h.handle, 5000, 0), ft::kInvalidHandle);
}

TEST(SimulatedBus, PulledAdapterFailsWithIoErrorUntilReopened) {
    SimHarness h;
    h.writeRaw(kIdentityRequest);
    h.bus.unplug(h.adapter);

    FtDword n = 0;
    Bytes buffer(16);
    EXPECT_EQ(h.bus.getQueueStatus(h.handle, &n), ft::kIoError);
    EXPECT_EQ(h.bus.read(h.handle, buffer.data(), 4, &n), ft::kIoError);
    EXPECT_EQ(h.bus.write(h.handle, buffer.data(), 4, &n), ft::kIoError);
    EXPECT_EQ(h.bus.purge(h.handle, ft::kPurgeRx | ft::kPurgeTx), ft::kIoError);
    ASSERT_EQ(h.bus.listDevices(&n, nullptr, ft::kListNumberOnly), ft::kOk);
    EXPECT_EQ(n, 0U);

    // Plugged back, the old handle stays dead; a new open works and the
    // reply that was in flight at the unplug is gone.
    h.bus.replug(h.adapter);
    h.clock.advance(100);
    EXPECT_EQ(h.bus.getQueueStatus(h.handle, &n), ft::kIoError);
    EXPECT_EQ(h.bus.close(h.handle), ft::kOk);
    char name[] = "QuarnProg";
    ASSERT_EQ(h.bus.openEx(name, ft::kOpenByDescription, &h.handle), ft::kOk);
    EXPECT_EQ(h.waiting(), 0U);
    h.writeRaw(kIdentityRequest);
    EXPECT_EQ(h.replies().size(), 1U);
}

TEST(SimulatedBus, RepliesArriveAfterTheirDelayAndPurgeSparesThoseInFlight) {
    SimHarness h;
    h.adapter.setReplyDelayMs(30);
    h.writeRaw(kIdentityRequest);
    h.clock.advance(29);
    EXPECT_EQ(h.waiting(), 0U);
    EXPECT_EQ(h.bus.purge(h.handle, ft::kPurgeRx | ft::kPurgeTx), ft::kOk);
    h.clock.advance(1);
    EXPECT_EQ(h.waiting(), 27U);  // 23-byte frame with four 0x01 bytes doubled

    // Arrived bytes are in the driver: a purge or a reset throws them away.
    EXPECT_EQ(h.bus.purge(h.handle, ft::kPurgeRx), ft::kOk);
    EXPECT_EQ(h.waiting(), 0U);
    h.writeRaw(kIdentityRequest);
    h.clock.advance(30);
    EXPECT_EQ(h.bus.resetDevice(h.handle), ft::kOk);
    EXPECT_EQ(h.waiting(), 0U);
}

TEST(SimulatedBus, ReadTakesNoMoreThanAskedAndKeepsTheRest) {
    SimHarness h;
    h.writeRaw(kIdentityRequest);
    h.clock.advance(Adapter::kDefaultReplyDelayMs);
    Bytes part(10);
    FtDword got = 0;
    ASSERT_EQ(h.bus.read(h.handle, part.data(), 10, &got), ft::kOk);
    EXPECT_EQ(got, 10U);
    Bytes rest = h.readAll();
    EXPECT_EQ(rest.size(), 17U);
    part.insert(part.end(), rest.begin(), rest.end());
    EXPECT_EQ(SimHarness::decode(part).size(), 1U);
}

}  // namespace
}  // namespace quarn::sim
