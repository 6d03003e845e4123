#include "gui/StartWindow.h"

#include <QKeySequence>
#include <QShortcut>

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::qt {

StartWindow::StartWindow(app::FormStart& form, std::function<void()> showMonitor)
    : FormWindow(form, Placement::CenterScreen), form_(form), showMonitor_(std::move(showMonitor)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void StartWindow::buildContent(QWidget& client) {
    // Built first, so it lies behind the labels.
    new ImageView(form_.Image1, artworkFor, &client);
    new LabelView(form_.LabelName, &client);
    new LabelView(form_.LabelVer, &client);
    new LabelView(form_.LabelStatusProg, &client);
    new LabelView(form_.LabelStatusDevice, &client);
}

void StartWindow::windowBuilt(FormWidget& window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, [this] {
        if (showMonitor_) {
            showMonitor_();
        }
    });
}

}  // namespace quarn::qt
