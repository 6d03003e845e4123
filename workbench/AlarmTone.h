#pragma once
// A short tone that marks an alarm start during the walk test, so that the
// technician hears it without looking at the screen. The Qt program plays
// the system beep; tests count the calls.

namespace quarn::workbench {

class AlarmTone {
  public:
    virtual ~AlarmTone() = default;
    virtual void play() = 0;
};

}  // namespace quarn::workbench
