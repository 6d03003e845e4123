#pragma once
// The traffic monitor: sent frames above, received frames below, each in a
// monospaced box kept scrolled to its caret. No minimise or maximise
// button; placed where the system puts new windows.

#include "app/TrafficMonitor.h"
#include "platform/qt/FormWindow.h"

namespace quarn::gui {

class TrafficMonitorView final : public qt::FormWindow {
  public:
    explicit TrafficMonitorView(app::TrafficMonitor& form);

  protected:
    void buildContent(QWidget& client) override;

  private:
    app::TrafficMonitor& form_;
};

}  // namespace quarn::gui
