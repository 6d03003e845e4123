#pragma once
// The developer log: what the driver, the link and the sensor conversation
// did, for whoever is chasing a fault. Off unless the front end turns an area
// on; the Qt front end maps each area to a logging category (quarn.usb,
// quarn.link, quarn.sensor) that QT_LOGGING_RULES switches.

#include <string>

namespace quarn {

enum class LogArea { Usb, Link, Sensor };

class DevLog {
  public:
    virtual ~DevLog() = default;
    virtual bool enabled(LogArea area) const = 0;
    virtual void write(LogArea area, const std::string& line) = 0;
};

// Takes nothing; the log of a program that was given none.
class SilentLog final : public DevLog {
  public:
    bool enabled(LogArea /*area*/) const override { return false; }
    void write(LogArea /*area*/, const std::string& /*line*/) override {}
};

// Builds the line only when the area is on: the log costs nothing when off.
template <typename BuildLine>
void logIf(DevLog& log, LogArea area, BuildLine&& buildLine) {
    if (log.enabled(area)) {
        log.write(area, buildLine());
    }
}

}  // namespace quarn
