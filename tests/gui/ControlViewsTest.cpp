// The control views against bare control models: what the user does reaches
// the model's events, what the model holds reaches the screen.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "GuiTestSupport.h"
#include "platform/controls/ComboList.h"
#include "platform/controls/Indicators.h"
#include "platform/controls/Label.h"
#include "platform/controls/PictureBox.h"
#include "platform/qt/ComboListView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/LedView.h"
#include "platform/qt/PictureBoxView.h"
#include "platform/qt/SliderView.h"
#include "platform/qt/StatusBarView.h"
#include "platform/qt/TextBoxView.h"

namespace quarn::qt {
namespace {

using guitest::pixel;
using guitest::snapshot;

TEST(ComboListView, RaisesDropDownAndClickIntoTheModelOnlyForTheUser) {
    QWidget window;
    ComboList list("sensitivityList");
    for (int i = 1; i <= 9; ++i) {
        list.addItem(std::to_string(i));
    }
    std::vector<std::string> events;
    list.setDropDownHandler([&] { events.push_back("dropdown"); });
    list.setClickHandler([&] { events.push_back("click " + std::to_string(list.listIndex())); });
    list.setListIndex(4);
    events.clear();

    ComboListView view(list, &window);
    window.show();
    EXPECT_EQ(view.count(), 9);
    EXPECT_EQ(view.currentIndex(), 4);
    EXPECT_FALSE(view.isEditable());

    // Opening the list: DropDown first.
    view.showPopup();
    ASSERT_EQ(events, std::vector<std::string>{"dropdown"});
    view.hidePopup();

    // The user steps to the next item: one Click with the new index.
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(list.listIndex(), 5);
    EXPECT_EQ(events.back(), "click 5");
    EXPECT_EQ(events.size(), 2U);

    // Selection from code: the model raises its one Click, the view only follows.
    list.setListIndex(8);
    EXPECT_EQ(view.currentIndex(), 8);
    EXPECT_EQ(events.size(), 3U);

    // Rebuilt items replace the shown ones.
    list.clear();
    list.addItem("a");
    list.addItem("b");
    EXPECT_EQ(view.count(), 2);
    EXPECT_EQ(view.currentIndex(), -1);
    EXPECT_EQ(view.itemText(1), "b");
}

TEST(ComboListView, DropDownHandlerThatChangesTheListIsShownAtOnce) {
    QWidget window;
    ComboList list("relayOnTimeList");
    list.addItem("0.5");
    list.setDropDownHandler([&] {
        list.addItem("1");
        list.setListIndex(1);
    });
    ComboListView view(list, &window);
    window.show();
    view.showPopup();
    EXPECT_EQ(view.count(), 2);
    EXPECT_EQ(view.currentIndex(), 1);
    view.hidePopup();
}

TEST(PictureBoxView, OvalIsAndedWithTheGridSoLinesShowThroughIt) {
    QWidget window;
    PictureBox picture("detectionAreaPicture");
    // 3315 x 1800 twips outside: 221 x 120 pixels, 217 x 116 inside the border.
    picture.setGeometry({0, 0, 3315, 1800});
    picture.setScale(400, 300);
    OvalShape oval("detectionArea");
    oval.setBox({65, 50, 270, 200});
    for (int i = 1; i <= 7; ++i) {
        picture.drawLine({50.0F * i, 0, 50.0F * i, 300, colors::kBlack});
    }
    for (int j = 1; j <= 5; ++j) {
        picture.drawLine({0, 50.0F * j, 400, 50.0F * j, colors::kBlack});
    }
    PictureBoxView view(picture, {&oval}, &window);
    window.resize(300, 200);
    window.show();

    const QImage inner = view.compose(QSize(400, 300));
    // One pixel per unit: the grid runs at multiples of 50.
    EXPECT_EQ(pixel(inner, 20, 20), QColor(255, 255, 255)) << "white outside the oval";
    EXPECT_EQ(pixel(inner, 210, 175), QColor(255, 128, 128)) << "light red inside";
    EXPECT_EQ(pixel(inner, 200, 150), QColor(0, 0, 0)) << "grid crossing inside the oval";
    EXPECT_EQ(pixel(inner, 150, 120), QColor(0, 0, 0)) << "vertical line inside the oval";
    EXPECT_EQ(pixel(inner, 150, 20), QColor(0, 0, 0)) << "vertical line outside the oval";
    EXPECT_EQ(pixel(inner, 190, 51), QColor(255, 0, 0)) << "outline at the top of the box";
    EXPECT_EQ(pixel(inner, 66, 160), QColor(255, 0, 0)) << "outline at the left of the box";

    // The same on screen, through the widget and its sunken border.
    const QImage shot = snapshot(view);
    ASSERT_EQ(shot.size(), QSize(221, 120));
    const int b = PictureBoxView::kBorder;
    const double sx = 217.0 / 400.0;
    const double sy = 116.0 / 300.0;
    auto at = [&](double ux, double uy) {
        return pixel(shot, b + static_cast<int>(ux * sx), b + static_cast<int>(uy * sy));
    };
    EXPECT_EQ(at(180, 175), QColor(255, 128, 128));
    EXPECT_EQ(at(20, 20), QColor(255, 255, 255));
    // Along a row through the middle of the oval: fill, and black grid lines in it.
    int black = 0;
    int fill = 0;
    const int row = b + static_cast<int>(175 * sy);
    for (int x = b + static_cast<int>(110 * sx); x < b + static_cast<int>(290 * sx); ++x) {
        const QColor c = pixel(shot, x, row);
        black += c == QColor(0, 0, 0) ? 1 : 0;
        fill += c == QColor(255, 128, 128) ? 1 : 0;
    }
    EXPECT_EQ(black, 3) << "the lines at 150, 200 and 250 cross the oval";
    EXPECT_GT(fill, 80);

    // Moving the oval repaints from the model: the old place is white again.
    oval.setBox({125, 90, 150, 120});
    const QImage moved = view.compose(QSize(400, 300));
    EXPECT_EQ(pixel(moved, 80, 175), QColor(255, 255, 255));
    EXPECT_EQ(pixel(moved, 210, 175), QColor(255, 128, 128));
}

TEST(SliderView, FillsFromTheBottomAndShowsLevelsAboveTheScaleAsAFullBar) {
    QWidget window;
    Slider bar("levelBar");
    bar.setGeometry({0, 0, 1032, 2892});
    SliderView view(bar, &window);
    window.resize(100, 220);
    window.show();
    const QColor fill(0, 128, 255);
    const int x = view.width() - 12;  // inside the bar
    const int nearTop = 8;
    const int nearBottom = view.height() - 8;
    const int middleHigh = view.height() / 2 - 10;

    bar.setValue(0);
    QImage shot = snapshot(view);
    EXPECT_NE(pixel(shot, x, nearBottom), fill);

    bar.setValue(10000);
    shot = snapshot(view);
    EXPECT_EQ(pixel(shot, x, nearBottom), fill);
    EXPECT_NE(pixel(shot, x, middleHigh), fill);

    bar.setValue(65535);
    shot = snapshot(view);
    EXPECT_EQ(pixel(shot, x, nearTop), fill);
    EXPECT_EQ(pixel(shot, x, nearBottom), fill);

    bar.setValue(-5);
    shot = snapshot(view);
    EXPECT_NE(pixel(shot, x, nearBottom), fill);
}

TEST(LedView, ShowsTheOnAndOffColours) {
    QWidget window;
    Led led("alarmLed");
    led.setGeometry({0, 0, 1032, 372});
    LedView view(led, &window);
    window.show();
    // The lamp is shaded, so its middle is close to, not exactly, its colour.
    auto near = [](QColor a, QColor b) {
        return std::abs(a.red() - b.red()) <= 8 && std::abs(a.green() - b.green()) <= 8 &&
               std::abs(a.blue() - b.blue()) <= 8;
    };
    const QPoint centre(view.width() / 2, view.height() / 2);
    EXPECT_TRUE(near(pixel(snapshot(view), centre.x(), centre.y()), QColor(192, 192, 192)));
    led.setOn(true);
    EXPECT_TRUE(near(pixel(snapshot(view), centre.x(), centre.y()), QColor(255, 0, 0)));
}

TEST(LabelView, FollowsCaptionColourFontAndFill) {
    QWidget window;
    Label label("levelValue");
    label.setGeometry({120, 3660, 1032, 312});
    label.setAlignment(Alignment::Center);
    LabelView view(label, &window);
    EXPECT_EQ(view.geometry(), QRect(8, 244, 69, 21));
    EXPECT_FALSE(view.autoFillBackground()) << "transparent by default";

    label.setCaption("a\r\nb");
    EXPECT_EQ(view.text(), "a\nb");
    label.setForeColor(colors::kFault);
    EXPECT_EQ(view.palette().color(QPalette::WindowText), QColor(192, 0, 0));
    label.setFont({"Arial", 12, true, false});
    EXPECT_EQ(view.font().family(), "Arial");
    EXPECT_DOUBLE_EQ(view.font().pointSizeF(), 12.0);
    EXPECT_TRUE(view.font().bold());
    EXPECT_TRUE(view.alignment() & Qt::AlignHCenter);

    label.setTransparent(false);
    label.setBordered(true);
    EXPECT_TRUE(view.autoFillBackground());
    EXPECT_EQ(view.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_EQ(view.frameShape(), QFrame::Box);

    // The tooltip, kept by the view base for every control.
    label.setToolTip("why\nhow to mend it");
    EXPECT_EQ(view.toolTip(), "why\nhow to mend it");
    label.setToolTip("");
    EXPECT_TRUE(view.toolTip().isEmpty());

    label.setVisible(false);
    EXPECT_TRUE(view.isHidden());
}

TEST(StatusBarView, SpansTheBottomOfItsWindowAndShowsPanelTexts) {
    QWidget window;
    window.resize(331, 311);
    StatusBar status("StatusBar");
    status.setGeometry({0, 4356, 7800, 312});
    status.addPanel("identity");
    StatusBarView view(status, &window);
    window.show();
    EXPECT_EQ(view.geometry(), QRect(0, 311 - 21, 331, 21));
    status.setPanelText("identity", "Radar Zel  A123456789");
    ASSERT_NE(view.panel("identity"), nullptr);
    EXPECT_EQ(view.panel("identity")->text(), "Radar Zel  A123456789");
    window.resize(500, 300);
    EXPECT_EQ(view.geometry(), QRect(0, 300 - 21, 500, 21));
}

TEST(TextBoxView, KeepsTheCaretWhereTheModelPutsItAcrossLineEnds) {
    // Each CR LF pair of the model is one line break on screen.
    EXPECT_EQ(TextBoxView::displayPosition("ab\r\ncd\r\n", 8), 6);
    EXPECT_EQ(TextBoxView::displayPosition("ab\r\ncd\r\n", 2), 2);
    EXPECT_EQ(TextBoxView::displayPosition("\xC3\xA8\r\nx", 3), 2) << "one character for è";
    EXPECT_EQ(TextBoxView::displayPosition("abc", 99), 3) << "caret past the end";

    QWidget window;
    TextBox box("sentFrames");
    box.setGeometry({90, 45, 7125, 1995});
    TextBoxView view(box, &window);
    window.show();
    std::string text;
    for (int i = 0; i < 40; ++i) {
        text += "01020000000103\r\n";
        box.setText(text);
        box.setCaretPosition(text.size());
    }
    EXPECT_EQ(view.toPlainText().count('\n'), 40);
    EXPECT_EQ(view.textCursor().position(), view.toPlainText().size());
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    EXPECT_TRUE(view.viewport()->rect().contains(view.cursorRect())) << "scrolled to the caret";

    box.setText("");
    box.setCaretPosition(0);
    EXPECT_TRUE(view.toPlainText().isEmpty());
    EXPECT_EQ(view.textCursor().position(), 0);
}

}  // namespace
}  // namespace quarn::qt
