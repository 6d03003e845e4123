#pragma once
// A walk through the windows as a technician meets them, on a simulated
// programmer and Zel sensor in virtual time: the main window in Italian and
// in English, the About window, the sensor window at rest, during a motion
// event and after a parameter change, the traffic monitor with the
// conversation in it, and the walk test (alarm, at rest, full screen, no
// signal) in English and in Italian. Each window is saved as a PNG as it
// paints itself.

#include <QString>
#include <QStringList>

namespace quarn::shots {

class ScreenshotTour {
  public:
    explicit ScreenshotTour(QString outputDirectory) : output_(std::move(outputDirectory)) {}

    // Needs a QApplication. Returns false with a reason when a step could
    // not be reached or a picture not written.
    bool run(QString& error);
    // The files written so far, in tour order.
    const QStringList& written() const { return written_; }

  private:
    QString output_;
    QStringList written_;
};

}  // namespace quarn::shots
