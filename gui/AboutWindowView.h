#pragma once
// The About window: the maker's logo, the contact details and OK. Shown
// modal and centred on the start window; Return presses the focused OK,
// Escape closes it.

#include "app/AboutWindow.h"
#include "platform/qt/FormWindow.h"

namespace quarn::gui {

class AboutWindowView final : public qt::FormWindow {
  public:
    AboutWindowView(app::AboutWindow& form, const qt::FormWindow* owner);

  protected:
    void buildContent(QWidget& client) override;
    void windowBuilt(qt::FormWidget& window) override;

  private:
    app::AboutWindow& form_;
};

}  // namespace quarn::gui
