#include "gui/StartWindowView.h"

#include <QKeySequence>
#include <QShortcut>

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::gui {

StartWindowView::StartWindowView(app::StartWindow& form, std::function<void()> showMonitor)
    : FormWindow(form, Placement::CenterScreen), form_(form), showMonitor_(std::move(showMonitor)) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void StartWindowView::buildContent(QWidget& client) {
    // Built first, so it lies behind the labels.
    new qt::ImageView(form_.backgroundPicture, artworkFor, &client);
    for (Label* label :
         {&form_.programName, &form_.versionLabel, &form_.programmerStatus, &form_.deviceStatus}) {
        new qt::LabelView(*label, &client);
    }
}

void StartWindowView::windowBuilt(qt::FormWidget& window) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &window);
    QObject::connect(shortcut, &QShortcut::activated, &window, [this] {
        if (showMonitor_) {
            showMonitor_();
        }
    });
}

}  // namespace quarn::gui
