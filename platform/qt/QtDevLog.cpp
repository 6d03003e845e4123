#include "platform/qt/QtDevLog.h"

#include <QLoggingCategory>

namespace quarn::qt {

namespace {

// Debug messages of these categories are off by default.
Q_LOGGING_CATEGORY(usbCategory, "quarn.usb", QtInfoMsg)
Q_LOGGING_CATEGORY(linkCategory, "quarn.link", QtInfoMsg)
Q_LOGGING_CATEGORY(sensorCategory, "quarn.sensor", QtInfoMsg)

const QLoggingCategory& categoryOf(LogArea area) {
    switch (area) {
        case LogArea::Usb:
            return usbCategory();
        case LogArea::Link:
            return linkCategory();
        case LogArea::Sensor:
            return sensorCategory();
    }
    return usbCategory();
}

}  // namespace

bool QtDevLog::enabled(LogArea area) const {
    return categoryOf(area).isDebugEnabled();
}

void QtDevLog::write(LogArea area, const std::string& line) {
    qCDebug(categoryOf(area)).noquote() << QString::fromStdString(line);
}

}  // namespace quarn::qt
