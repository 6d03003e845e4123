#pragma once
// Shows a Frame model as a captioned group box. The controls it contains
// are built with the frame view as their parent, so their twips positions
// count from the frame's top-left corner as in the window designer.

#include <QGroupBox>

#include "platform/controls/Captioned.h"
#include "platform/qt/ControlView.h"

namespace quarn::qt {

class FrameView final : public ControlView<QGroupBox, Frame> {
  public:
    FrameView(Frame& model, QWidget* parent);

  private:
    void sync() override;
};

}  // namespace quarn::qt
