// Where the restore window's controls sit, in twips: the file and serial
// lines at the top, the comparison as a table of four columns, the outcome
// line below it and the buttons at the bottom right.

#include "workbench/ParameterRestoreWindow.h"

namespace quarn::workbench {

namespace {

constexpr int kMargin = 120;
constexpr int kClientWidth = 8400;
constexpr int kLineHeight = 255;
constexpr int kRowPitch = 300;
constexpr int kTableTop = 780;
constexpr int kOutcomeLines = 5;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 375;
constexpr int kButtonGap = 210;

struct Column {
    int left;
    int width;
};
constexpr Column kParameterColumn{kMargin, 2640};
constexpr Column kSensorColumn{2880, 1800};
constexpr Column kFileColumn{4800, 1800};
constexpr Column kStateColumn{6720, kClientWidth - kMargin - 6720};

quarn::TwipsRect cell(const Column& column, int top) {
    return {column.left, top, column.width, kLineHeight};
}

}  // namespace

void ParameterRestoreWindow::layOutControls() {
    const int fullWidth = kClientWidth - 2 * kMargin;
    fileLine.setGeometry({kMargin, kMargin, fullWidth, kLineHeight});
    serialLine.setGeometry({kMargin, kMargin + kRowPitch, fullWidth, kLineHeight});

    quarn::FontSpec bold;
    bold.bold = true;
    const std::pair<quarn::Label*, Column> headings[] = {{&parameterHeading, kParameterColumn},
                                                         {&sensorHeading, kSensorColumn},
                                                         {&fileHeading, kFileColumn},
                                                         {&stateHeading, kStateColumn}};
    for (const auto& [heading, column] : headings) {
        heading->setGeometry(cell(column, kTableTop));
        heading->setFont(bold);
    }
    int top = kTableTop + kRowPitch;
    for (RestoreRow& shown : rows_) {
        shown.caption.setGeometry(cell(kParameterColumn, top));
        shown.sensorValue.setGeometry(cell(kSensorColumn, top));
        shown.fileValue.setGeometry(cell(kFileColumn, top));
        shown.state.setGeometry(cell(kStateColumn, top));
        top += kRowPitch;
    }

    const int outcomeTop = top + kRowPitch / 2;
    const int outcomeHeight = kOutcomeLines * kLineHeight * 3 / 4 + kLineHeight;
    outcomeLine.setGeometry({kMargin, outcomeTop, fullWidth, outcomeHeight});

    const int buttonTop = outcomeTop + outcomeHeight + kRowPitch / 2;
    const int closeLeft = kClientWidth - kMargin - kButtonWidth;
    closeButton.setGeometry({closeLeft, buttonTop, kButtonWidth, kButtonHeight});
    applyButton.setGeometry(
        {closeLeft - kButtonGap - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight});
    setClientSize(kClientWidth, buttonTop + kButtonHeight + kMargin);
}

}  // namespace quarn::workbench
