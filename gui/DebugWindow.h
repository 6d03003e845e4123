#pragma once
// The traffic monitor: sent frames above, received frames below, each in a
// monospaced box kept scrolled to its caret. No minimise or maximise
// button; placed where the system puts new windows.

#include "link/FormDebug.h"
#include "platform/qt/FormWindow.h"

namespace quarn::qt {

class DebugWindow final : public FormWindow {
  public:
    explicit DebugWindow(link::FormDebug& form);

  protected:
    void buildContent(QWidget& client) override;

  private:
    link::FormDebug& form_;
};

}  // namespace quarn::qt
