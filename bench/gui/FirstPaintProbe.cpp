#include "FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstdio>

namespace quarn::bench {

FirstPaintProbe::FirstPaintProbe(QObject* window, std::chrono::steady_clock::time_point start)
    : QObject(window), start_(start) {
    window->installEventFilter(this);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!reported_ && event->type() == QEvent::Paint) {
        reported_ = true;
        const auto elapsed =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
                .count();
        std::printf("first window shown after %.1f ms\n", elapsed);
        std::fflush(stdout);
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quarn::bench
