#include "sensor/IdentityCycle.h"

#include "link/Frame.h"

namespace quarn::sensor {

namespace {
constexpr int kIdentityPeriodMs = 500;
constexpr int kFallbackTickMs = 100;
}  // namespace

std::int16_t ticksBetweenIdentityCycles(int tickIntervalMs) {
    const int interval = tickIntervalMs > 0 ? tickIntervalMs : kFallbackTickMs;
    return static_cast<std::int16_t>(kIdentityPeriodMs / interval);
}

std::string identityStatusText(const link::DeviceIdentity& identity) {
    return identity.serial + " - " + "HW: " + link::hexWord(identity.hardwareVersion) + " - " +
           "FW: " + link::hexWord(identity.firmwareVersion);
}

}  // namespace quarn::sensor
