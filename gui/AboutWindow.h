#pragma once
// The About window: the maker's logo, the contact details and OK. Shown
// modal and centred on the main window.

#include "app/FormAbout.h"
#include "platform/qt/FormWindow.h"

namespace quarn::qt {

class AboutWindow final : public FormWindow {
  public:
    AboutWindow(app::FormAbout& form, const FormWindow* owner);

  protected:
    void buildContent(QWidget& client) override;

  private:
    app::FormAbout& form_;
};

}  // namespace quarn::qt
