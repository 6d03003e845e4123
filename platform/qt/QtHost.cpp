#include "platform/qt/QtHost.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTime>

#include "platform/qt/QtConversions.h"

namespace quarn::qt {

namespace {
// The locale's long time format without its time-zone part ("t" letters
// outside quoted text), which a time of day on a log line does not need.
QString timeFormatWithoutZone(const QString& format) {
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        }
        if (!quoted && c == QLatin1Char('t')) {
            continue;
        }
        result.append(c);
    }
    return result.trimmed();
}
}  // namespace

std::string QtHost::applicationDirectory() const {
    return toStdString(QCoreApplication::applicationDirPath());
}

std::string QtHost::installedDataDirectory() const {
    return installedDataDirectoryBeside(applicationDirectory());
}

std::string QtHost::userConfigDirectory() const {
    // $XDG_CONFIG_HOME (~/.config) on Linux, the local application data
    // folder on Windows; empty when the system names none.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (base.isEmpty()) {
        return {};
    }
    return toStdString(base + QLatin1Char('/') + toQString(std::string(kUserConfigFolderName)));
}

AppVersion QtHost::version() const {
    return AppVersion{QUARN_VERSION_MAJOR, QUARN_VERSION_MINOR, QUARN_VERSION_PATCH};
}

std::string QtHost::timeOfDay() const {
    const QLocale locale = QLocale::system();
    const QString format = timeFormatWithoutZone(locale.timeFormat(QLocale::LongFormat));
    return toStdString(locale.toString(QTime::currentTime(), format));
}

std::string QtHost::decimalSeparator() const {
    return toStdString(QLocale::system().decimalPoint());
}

void QtHost::showCriticalMessage(const std::string& title, const std::string& text) {
    QMessageBox::critical(nullptr, toQString(title), toDisplayText(text));
}

void QtHost::quitApplication() {
    quitRequested_ = true;
    // Queued: the handler that asked for it runs to its end first.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
}

}  // namespace quarn::qt
