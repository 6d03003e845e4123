#pragma once
// Measures the start-up: when the watched window paints for the first time
// it prints the milliseconds since the given start and ends the event loop.

#include <QObject>
#include <chrono>

namespace quarn::bench {

class FirstPaintProbe final : public QObject {
  public:
    FirstPaintProbe(QObject* window, std::chrono::steady_clock::time_point start);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::chrono::steady_clock::time_point start_;
    bool reported_ = false;
};

}  // namespace quarn::bench
