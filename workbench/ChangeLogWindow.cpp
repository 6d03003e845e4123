#include "workbench/ChangeLogWindow.h"

#include <algorithm>

#include "workbench/ChangeLogLines.h"

namespace quarn::workbench {

namespace {

// Client area and layout in twips.
constexpr int kClientWidth = 9600;
constexpr int kClientHeight = 4200;
constexpr int kMargin = 120;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 372;

}  // namespace

ChangeLogWindow::ChangeLogWindow(ChangeLog& log, const sensor::SessionState& session,
                                 const quarn::HostServices& host)
    : Form("ChangeLogWindow"), log_(log), session_(session), host_(host) {
    setClientSize(kClientWidth, kClientHeight);
    const int buttonTop = kClientHeight - kMargin - kButtonHeight;
    logLines.setGeometry({kMargin, kMargin, kClientWidth - 2 * kMargin, buttonTop - 2 * kMargin});
    closeButton.setGeometry(
        {kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight});
    closeButton.setClickHandler([this] { onClose(); });
    logObservation_ = log_.observe([this] {
        if (loaded()) {
            showLines();
        }
    });
}

ChangeLogWindow::~ChangeLogWindow() {
    log_.unobserve(logObservation_);
}

void ChangeLogWindow::onLoad() {
    setCaption(texts::textOf(session_.texts, texts::StringId::ChangeLogTitle));
    closeButton.setCaption(texts::textOf(session_.texts, texts::StringId::CloseButton));
    showLines();
}

void ChangeLogWindow::onClose() {
    unload();
}

void ChangeLogWindow::showLines() {
    std::string text;
    for (const std::string& line :
         changeLogLines(log_, TextContext{session_.texts, host_.decimalSeparator()})) {
        if (!text.empty()) {
            text += "\r\n";
        }
        text += line;
    }
    logLines.setText(text);
    // Keep the newest line in view.
    const auto characters = std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;  // not a continuation byte
    });
    logLines.setCaretPosition(static_cast<std::size_t>(characters));
}

}  // namespace quarn::workbench
