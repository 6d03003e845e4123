#pragma once
// The start window: the radar-wave picture behind the name, version and the
// two status labels, with the Exit, Language and "?" menus. Ctrl+Shift+D
// shows the traffic monitor. Its close box runs the same shutdown as Exit.

#include <functional>

#include "app/StartWindow.h"
#include "platform/qt/FormWindow.h"

namespace quarn::gui {

class StartWindowView final : public qt::FormWindow {
  public:
    StartWindowView(app::StartWindow& form, std::function<void()> showMonitor);

  protected:
    void buildContent(QWidget& client) override;
    std::vector<MenuItem*> menuItems() const override { return form_.menuBar(); }
    void windowBuilt(qt::FormWidget& window) override;

  private:
    app::StartWindow& form_;
    std::function<void()> showMonitor_;
};

}  // namespace quarn::gui
