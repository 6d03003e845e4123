#pragma once
// What every view of a control model shares: it keeps a reference to its
// model, takes the model's name as its objectName (the stable handle tests
// and the screenshot tour look it up by), and brings itself in line with the
// model whenever the model changes, for exactly as long as the view lives.
// A view runs sync() once at the end of its own constructor. The tooltip,
// which every control has, is kept here for all of them.

#include <QWidget>

#include "platform/qt/ModelObservation.h"
#include "platform/qt/QtConversions.h"

namespace quarn::qt {

template <typename Widget, typename Model>
class ControlView : public Widget {
  public:
    ControlView(Model& model, QWidget* parent)
        : Widget(parent), model_(model), observation_(model, [this] { syncAll(); }) {
        this->setObjectName(toQString(model.name()));
        this->setToolTip(toQString(model.toolTip()));
    }

  protected:
    // Shows the model's current state.
    virtual void sync() = 0;

    Model& model_;

  private:
    void syncAll() {
        this->setToolTip(toQString(model_.toolTip()));
        sync();
    }

    ModelObservation observation_;
};

}  // namespace quarn::qt
