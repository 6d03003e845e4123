#include "gui/TrafficMonitorView.h"

#include "platform/qt/QtConversions.h"
#include "platform/qt/TextBoxView.h"

namespace quarn::gui {

TrafficMonitorView::TrafficMonitorView(app::TrafficMonitor& form)
    : FormWindow(form, Placement::SystemDefault), form_(form) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSizeFrame(false);  // framed as the system frames a plain window
    attach();
}

void TrafficMonitorView::buildContent(QWidget& client) {
    QFont mono = qt::toQFont(FontSpec{"Courier New", 9, false, false});
    mono.setStyleHint(QFont::Monospace);
    for (TextBox* box : {&form_.sentFrames, &form_.receivedFrames}) {
        auto* view = new qt::TextBoxView(*box, &client);
        view->setFont(mono);
    }
}

}  // namespace quarn::gui
