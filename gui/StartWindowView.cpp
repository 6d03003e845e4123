#include "gui/StartWindowView.h"

#include <QKeySequence>
#include <QShortcut>

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::qt {

StartWindowView::StartWindowView(app::StartWindow& form, std::function<void()> showMonitor)
    : FormWindow(form, Placement::CenterScreen), form_(form), showMonitor_(std::move(showMonitor)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void StartWindowView::buildContent(QWidget& client) {
    // Built first, so it lies behind the labels.
    new ImageView(form_.picture, artworkFor, &client);
    new LabelView(form_.programName, &client);
    new LabelView(form_.versionLabel, &client);
    new LabelView(form_.programmerStatus, &client);
    new LabelView(form_.deviceStatus, &client);
}

void StartWindowView::windowBuilt(FormWidget& window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, [this] {
        if (showMonitor_) {
            showMonitor_();
        }
    });
}

}  // namespace quarn::qt
