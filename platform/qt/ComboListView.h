#pragma once
// Shows a ComboList model as a selection-only drop-down list. Opening the
// list raises the model's DropDown before the list appears; choosing an
// item raises its Click through userSelect.

#include <QComboBox>
#include <string>
#include <vector>

#include "platform/controls/ComboList.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class ComboListView final : public ControlView<QComboBox, ComboList> {
  public:
    ComboListView(ComboList& model, QWidget* parent);

    void showPopup() override;

  private:
    void sync() override;

    std::vector<std::string> shownItems_;
};

}  // namespace quarn::qt
