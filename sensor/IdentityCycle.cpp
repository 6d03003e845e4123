#include "sensor/IdentityCycle.h"

#include "link/Frame.h"

namespace quarn::sensor {

namespace {
constexpr int kIdentityPeriodMs = 500;
constexpr int kFallbackTickMs = 100;
}  // namespace

std::int16_t IdentityThreshold(int tickIntervalMs) {
    const int interval = tickIntervalMs > 0 ? tickIntervalMs : kFallbackTickMs;
    return static_cast<std::int16_t>(kIdentityPeriodMs / interval);
}

std::string IdentityPanelText(const link::DeviceIdentity& identity) {
    return identity.serial + " - " + "HW: " + link::HexWord(identity.hardwareVersion) + " - " +
           "FW: " + link::HexWord(identity.firmwareVersion);
}

}  // namespace quarn::sensor
