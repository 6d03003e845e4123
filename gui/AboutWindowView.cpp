#include "gui/AboutWindowView.h"

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ButtonView.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::qt {

AboutWindowView::AboutWindowView(app::AboutWindow& form, const FormWindow* owner)
    : FormWindow(form, Placement::CenterOwner), form_(form) {
    setOwner(owner);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void AboutWindowView::buildContent(QWidget& client) {
    new ImageView(form_.picture, artworkFor, &client);
    new LabelView(form_.aboutLabel, &client);
    new ButtonView(form_.okButton, &client);
}

}  // namespace quarn::qt
