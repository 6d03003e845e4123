#include "link/FormDebug.h"

#include <string>

#include "platform/Cp1252.h"

namespace quarn::link {
namespace {

constexpr int kClientWidth = 7380;  // 492 x 280 pixels at 96 dpi
constexpr int kClientHeight = 4200;
constexpr quarn::TwipsRect kMonitorTxRect{90, 45, 7125, 1995};
constexpr quarn::TwipsRect kMonitorRxRect{90, 2160, 7125, 1905};
constexpr std::string_view kLineEnd = "\r\n";

// Keeps a box bounded and scrolled to its end. A box whose last line is
// complete and whose text has grown past the limit is emptied whole, the
// line just added included; a text left without a line end (a user's edit)
// is not touched.
void KeepBoxBounded(quarn::TextBox& box) {
    const std::string& text = box.text();
    if (text.ends_with(kLineEnd) && text.size() > kMonitorBoxLimit &&
        Utf8Length(text) > kMonitorBoxLimit) {
        box.setText(std::string());  // runs this handler again, which parks the caret at 0
    }
    box.setSelStart(Utf8Length(box.text()));
}

}  // namespace

FormDebug::FormDebug() : Form("FormDebug") {
    setCaption("Debug");
    setClientSize(kClientWidth, kClientHeight);
    MonitorTx.setGeometry(kMonitorTxRect);
    MonitorRx.setGeometry(kMonitorRxRect);
    MonitorTx.setChangeHandler([this] { KeepBoxBounded(MonitorTx); });
    MonitorRx.setChangeHandler([this] { KeepBoxBounded(MonitorRx); });
}

void FormDebug::Form_Unload() {
    // The boxes' contents live only as long as the window.
    MonitorTx.setText(std::string());
    MonitorRx.setText(std::string());
}

void LogMonitor(FormDebug& monitor, std::int16_t side, std::string_view line) {
    if (!monitor.loaded()) {
        monitor.load();  // created hidden; it stays hidden until something shows it
    }
    if (!monitor.visible()) {
        return;  // lines reach the monitor only while it can be seen
    }
    quarn::TextBox& box = (side != 0) ? monitor.MonitorTx : monitor.MonitorRx;
    std::string text = box.text();
    text.reserve(text.size() + line.size() + kLineEnd.size());
    text.append(line);
    text.append(kLineEnd);
    box.setText(text);
}

}  // namespace quarn::link
