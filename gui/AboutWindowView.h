#pragma once
// The About window: the maker's logo, the contact details and OK. Shown
// modal and centred on the main window.

#include "app/AboutWindow.h"
#include "platform/qt/FormWindow.h"

namespace quarn::qt {

class AboutWindowView final : public FormWindow {
  public:
    AboutWindowView(app::AboutWindow& form, const FormWindow* owner);

  protected:
    void buildContent(QWidget& client) override;

  private:
    app::AboutWindow& form_;
};

}  // namespace quarn::qt
