#pragma once
// What every control view does with the common part of its model: position
// and size from twips, visibility and the enabled state.

class QWidget;

namespace quarn {
class Control;
}

namespace quarn::qt {

void applyControlState(QWidget& widget, const Control& control);

}  // namespace quarn::qt
