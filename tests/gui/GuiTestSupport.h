#pragma once
// Helpers of the GUI tests: an application directory of its own with the
// delivered string table, event-loop waiting, and pixel sampling.

#include <QColor>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <string>

#include "support/FakeHost.h"

namespace quarn::guitest {

// A fresh directory holding StringTable.txt (and QuarnSoft.prm when a
// language is given), with a FakeHost that points at it.
class AppDirectory {
  public:
    explicit AppDirectory(bool withStringTable = true, int language = -1);

    std::string path() const;
    bool hasSettingsFile() const;
    quarn::testing::FakeHost host;

  private:
    QTemporaryDir dir_;
};

// Runs the event loop until the condition holds or the patience runs out;
// returns the condition's last value. Not a timing check: the limit only
// keeps a broken build from hanging.
bool waitUntil(const std::function<bool()>& condition, int patienceMs = 10000);

// Runs queued events, deferred deletions included.
void settle();

// The widget as it paints itself, in device-independent pixels.
QImage snapshot(QWidget& widget);

inline QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

}  // namespace quarn::guitest
