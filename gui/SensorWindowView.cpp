#include "gui/SensorWindowView.h"

#include <QPainter>

#include "platform/qt/ComboListView.h"
#include "platform/qt/FrameView.h"
#include "platform/qt/LabelView.h"
#include "platform/qt/LedView.h"
#include "platform/qt/PictureBoxView.h"
#include "platform/qt/QtConversions.h"
#include "platform/qt/SliderView.h"
#include "platform/qt/StatusBarView.h"

namespace quarn::gui {

using namespace qt;  // the generic views this window is built from

namespace {

// One of the two fixed lines that make the etched separator under the menu.
class SeparatorLineView final : public QWidget {
  public:
    SeparatorLineView(const sensorwin::SeparatorLine& line, QWidget* parent)
        : QWidget(parent), shade_(line.shade) {
        const int x1 = twipsToPixels(std::min(line.x1, line.x2));
        const int y1 = twipsToPixels(std::min(line.y1, line.y2));
        const int x2 = twipsToPixels(std::max(line.x1, line.x2));
        const int y2 = twipsToPixels(std::max(line.y1, line.y2));
        setGeometry(x1, y1, x2 - x1 + 1, y2 - y1 + 1);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        const QPalette::ColorRole role =
            shade_ == sensorwin::SystemShade::Shadow3D ? QPalette::Dark : QPalette::Light;
        painter.fillRect(rect(), palette().color(role));
    }

  private:
    sensorwin::SystemShade shade_;
};

// The window's controls use the design font unless their model sets one.
QFont designFont() {
    return toQFont(FontSpec{});
}

}  // namespace

SensorWindowView::SensorWindowView(sensorwin::SensorWindow& form)
    : FormWindow(form, Placement::CenterScreen), form_(form) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void SensorWindowView::buildContent(QWidget& client) {
    client.setFont(designFont());
    new SeparatorLineView(form_.menuShadowLine, &client);
    new SeparatorLineView(form_.menuHighlightLine, &client);

    new LabelView(form_.signalCaption, &client);
    new LedView(form_.alarmLed, &client);
    new SliderView(form_.levelBar, &client);
    new LabelView(form_.levelValue, &client);
    new LabelView(form_.peakValue, &client);

    auto* frame = new FrameView(form_.parametersFrame, &client);
    frame->setFont(toQFont(FontSpec{"MS Sans Serif", 9.75, false, false}));
    buildParameterFrame(*frame);

    new StatusBarView(form_.statusBar, &client);
}

void SensorWindowView::buildParameterFrame(QWidget& frame) {
    // Built in the model's order, which is also the keyboard focus order:
    // the lists from sensitivity down to height.
    for (Control* control : form_.parametersFrameControls()) {
        if (auto* label = dynamic_cast<Label*>(control)) {
            new LabelView(*label, &frame);
        } else if (auto* list = dynamic_cast<ComboList*>(control)) {
            auto* view = new ComboListView(*list, &frame);
            view->setFont(designFont());
        } else if (auto* picture = dynamic_cast<PictureBox*>(control)) {
            new PictureBoxView(*picture, {&form_.detectionArea}, &frame);
        }
    }
}

}  // namespace quarn::gui
