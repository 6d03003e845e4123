#include "app/TrafficMonitor.h"

#include <string>

#include "platform/Cp1252.h"

namespace quarn::app {
namespace {

constexpr int kClientWidth = 7380;  // 492 x 280 pixels at 96 dpi
constexpr int kClientHeight = 4200;
constexpr quarn::TwipsRect kSentFramesRect{90, 45, 7125, 1995};
constexpr quarn::TwipsRect kReceivedFramesRect{90, 2160, 7125, 1905};
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kUnknownReplyPrefix = "Messaggio sconosciuto  ";

// Keeps a box bounded and scrolled to its end. A box whose last line is
// complete and whose text has grown past the limit is emptied whole, the
// line just added included; a text left without a line end (a user's edit)
// is not touched.
void keepBoxBounded(quarn::TextBox& box) {
    const std::string& text = box.text();
    if (text.ends_with(kLineEnd) && text.size() > kMonitorBoxLimit &&
        utf8Length(text) > kMonitorBoxLimit) {
        box.setText(std::string());  // runs this handler again, which parks the caret at 0
    }
    box.setCaretPosition(utf8Length(box.text()));
}

}  // namespace

std::string checksumErrorLine(std::string_view hexText, const HostServices& host) {
    return "Errore Checksum  " + std::string(hexText) + "  " + host.timeOfDay();
}

TrafficMonitor::TrafficMonitor(const HostServices& host) : Form("trafficMonitor"), host_(host) {
    setCaption("Debug");
    setClientSize(kClientWidth, kClientHeight);
    sentFrames.setGeometry(kSentFramesRect);
    receivedFrames.setGeometry(kReceivedFramesRect);
    sentFrames.setChangeHandler([this] { keepBoxBounded(sentFrames); });
    receivedFrames.setChangeHandler([this] { keepBoxBounded(receivedFrames); });
}

void TrafficMonitor::frameSent(std::string_view hexText) {
    appendLine(sentFrames, hexText);
}

void TrafficMonitor::frameReceived(std::string_view hexText) {
    appendLine(receivedFrames, hexText);
}

void TrafficMonitor::checksumFailed(std::string_view hexText) {
    appendLine(receivedFrames, checksumErrorLine(hexText, host_));
}

void TrafficMonitor::unknownReply(std::string_view hexText) {
    appendLine(receivedFrames, std::string(kUnknownReplyPrefix) + std::string(hexText));
}

void TrafficMonitor::replayDiffered(std::string_view description) {
    show();
    const std::string line = "Replay: " + std::string(description);
    appendLine(sentFrames, line);
    // The box scrolls on and empties itself; the title keeps the difference.
    setCaption("Debug - " + line);
}

void TrafficMonitor::onUnload() {
    // The boxes' contents live only as long as the window.
    sentFrames.setText(std::string());
    receivedFrames.setText(std::string());
}

void TrafficMonitor::appendLine(quarn::TextBox& box, std::string_view line) {
    if (!loaded()) {
        load();  // created hidden; it stays hidden until something shows it
    }
    if (!visible()) {
        return;  // lines reach the monitor only while it can be seen
    }
    std::string text = box.text();
    text.reserve(text.size() + line.size() + kLineEnd.size());
    text.append(line);
    text.append(kLineEnd);
    box.setText(text);
}

}  // namespace quarn::app
