#pragma once
// The walk test's alarm tone as the system beep: short, and on every
// desktop without another library.

#include <QApplication>

#include "workbench/AlarmTone.h"

namespace quarn::gui {

class SystemBeepTone final : public workbench::AlarmTone {
  public:
    void play() override { QApplication::beep(); }
};

}  // namespace quarn::gui
