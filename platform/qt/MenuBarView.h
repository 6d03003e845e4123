#pragma once
// Shows a window's menu models on a menu bar, left to right: a MenuItem
// with sub-items becomes a drop-down menu, one without becomes a command
// on the bar itself. Choosing a command raises its model's Click.

#include <QMenuBar>
#include <memory>
#include <vector>

#include "platform/controls/MenuItem.h"
#include "platform/qt/ModelObservation.h"

class QAction;

namespace quarn::qt {

class MenuBarView : public QMenuBar {
  public:
    MenuBarView(const std::vector<MenuItem*>& topLevel, QWidget* parent);

    // The action that shows this model, if the bar has one.
    QAction* actionFor(const MenuItem& item) const;

  private:
    struct Binding {
        MenuItem* model;
        QAction* action;
        std::unique_ptr<ModelObservation> observation;
    };

    QAction* bind(MenuItem& item, QAction* action);

    std::vector<Binding> bindings_;
};

}  // namespace quarn::qt
