#pragma once
// The traffic monitor window: frames sent in the upper box, frames received,
// checksum errors and unknown replies in the lower one. It listens to the
// link as a traffic observer. Lines arrive only while the window is visible;
// the first report loads the window hidden. Each box empties itself when its
// text ends a line past 20000 characters, and keeps its caret at the end.

#include <string_view>

#include "link/TrafficObserver.h"
#include "platform/HostServices.h"
#include "platform/controls/Form.h"
#include "platform/controls/TextBox.h"

namespace quarn::app {

inline constexpr std::size_t kMonitorBoxLimit = 20000;

class TrafficMonitor final : public quarn::Form, public link::TrafficObserver {
  public:
    explicit TrafficMonitor(const HostServices& host);

    quarn::TextBox sentFrames{"sentFrames"};
    quarn::TextBox receivedFrames{"receivedFrames"};

    void frameSent(std::string_view hexText) override;
    void frameReceived(std::string_view hexText) override;
    void checksumFailed(std::string_view hexText) override;
    void unknownReply(std::string_view hexText) override;

    // A replayed session wrote something other than the recorded session:
    // the monitor shows itself and says so in the sent box and its title.
    void replayDiffered(std::string_view description);

  private:
    void onUnload() override;
    void appendLine(quarn::TextBox& box, std::string_view line);

    const HostServices& host_;
};

// The receive box's line for a frame that failed its checksum.
std::string checksumErrorLine(std::string_view hexText, const HostServices& host);

}  // namespace quarn::app
