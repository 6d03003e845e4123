#pragma once
// The developer log on Qt's logging categories quarn.usb, quarn.link and
// quarn.sensor. Their lines are debug messages, off unless switched on, for
// example with QT_LOGGING_RULES="quarn.*.debug=true".

#include "platform/DevLog.h"

namespace quarn::qt {

class QtDevLog final : public DevLog {
  public:
    bool enabled(LogArea area) const override;
    void write(LogArea area, const std::string& line) override;
};

}  // namespace quarn::qt
