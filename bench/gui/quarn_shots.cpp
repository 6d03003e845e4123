// quarn_shots: saves the windows of a scripted demo run as PNG files, for
// the documentation and for looking at the windows without a programmer.
// Usage: quarn_shots [output-directory]   (default: shots)

#include <QApplication>
#include <cstdio>

#include "ScreenshotTour.h"
#include "gui/Artwork.h"
#include "platform/qt/QtConversions.h"

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("QuarnSoft"));
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(quarn::gui::drawWindowIcon());
    quarn::qt::installFontSubstitutions();

    const QStringList arguments = QApplication::arguments();
    const QString output = arguments.size() > 1 ? arguments.at(1) : QStringLiteral("shots");
    quarn::shots::ScreenshotTour tour(output);
    QString error;
    const bool done = tour.run(error);
    for (const QString& file : tour.written()) {
        std::printf("%s\n", qPrintable(file));
    }
    if (!done) {
        std::fprintf(stderr, "quarn_shots: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
