#include "GuiTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QThread>

#include "app/Settings.h"

namespace quarn::guitest {

AppDirectory::AppDirectory(bool withStringTable, int language) {
    host.directory = path();
    if (withStringTable) {
        QFile::copy(QStringLiteral(QUARN_STRING_TABLE_SOURCE),
                    QDir(dir_.path()).filePath(QStringLiteral("StringTable.txt")));
    }
    if (language >= 0) {
        const std::string text =
            app::settingsText(app::languageAtLine(static_cast<std::int16_t>(language)));
        QFile file(QDir(dir_.path()).filePath(QStringLiteral("QuarnSoft.prm")));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(text.data(), static_cast<qint64>(text.size()));
        }
    }
}

std::string AppDirectory::path() const {
    return dir_.path().toStdString();
}

bool AppDirectory::hasSettingsFile() const {
    return QFile::exists(QDir(dir_.path()).filePath(QStringLiteral("QuarnSoft.prm")));
}

bool waitUntil(const std::function<bool()>& condition, int patienceMs) {
    QElapsedTimer elapsed;
    elapsed.start();
    while (!condition()) {
        if (elapsed.elapsed() > patienceMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return true;
}

void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

QImage snapshot(QWidget& widget) {
    QImage image = widget.grab().toImage();
    // Sample in device-independent pixels whatever the screen's density.
    if (image.devicePixelRatio() != 1.0) {
        image = image.scaled(widget.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace quarn::guitest
