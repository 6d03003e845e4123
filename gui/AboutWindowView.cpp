#include "gui/AboutWindowView.h"

#include <QKeySequence>
#include <QShortcut>

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ButtonView.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::gui {

AboutWindowView::AboutWindowView(app::AboutWindow& form, const qt::FormWindow* owner)
    : FormWindow(form, Placement::CenterOwner), form_(form) {
    setOwner(owner);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void AboutWindowView::buildContent(QWidget& client) {
    new qt::ImageView(form_.logo, artworkFor, &client);
    new qt::LabelView(form_.contactDetails, &client);
    new qt::ButtonView(form_.okButton, &client);
}

void AboutWindowView::windowBuilt(qt::FormWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, [this] { form_.unload(); });
}

}  // namespace quarn::gui
