#pragma once
// The traffic monitor window: sent frames in MonitorTx, received frames,
// checksum errors and unknown replies in MonitorRx. Each box empties itself
// when its text ends a line past 20000 characters, and keeps its caret at
// the end.

#include <cstdint>
#include <string_view>

#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"

namespace quarn::link {

inline constexpr std::size_t kMonitorBoxLimit = 20000;

class FormDebug : public quarn::Form {
  public:
    FormDebug();

    quarn::TextBox MonitorTx{"MonitorTx"};
    quarn::TextBox MonitorRx{"MonitorRx"};

  private:
    void Form_Unload() override;
};

// Adds a line to the send box (side != 0) or the receive box (side == 0),
// only while the monitor window is visible. The first call loads the window
// hidden when it is not loaded.
void LogMonitor(FormDebug& monitor, std::int16_t side, std::string_view line);

inline constexpr std::int16_t kMonitorSend = 1;
inline constexpr std::int16_t kMonitorReceive = 0;

}  // namespace quarn::link
