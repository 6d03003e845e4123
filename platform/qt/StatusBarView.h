#pragma once
// Shows a StatusBar model: one sunken text panel per key, in key order.
// Like a window's status bar it sits along the bottom edge of its window
// across the full width, whatever the window's width becomes.

#include <QWidget>
#include <map>
#include <string>

#include "platform/controls/Indicators.h"
#include "platform/qt/ControlView.h"

class QLabel;
class QHBoxLayout;

namespace quarn::qt {

class StatusBarView final : public ControlView<QWidget, StatusBar> {
  public:
    StatusBarView(StatusBar& model, QWidget* parent);

    // The label showing the panel with this key, if the model has it.
    QLabel* panel(const std::string& key) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void sync() override;
    void dock();

    QHBoxLayout* layout_;
    std::map<std::string, QLabel*> panels_;
};

}  // namespace quarn::qt
