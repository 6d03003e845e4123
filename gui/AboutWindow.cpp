#include "gui/AboutWindow.h"

#include "gui/ArtworkCatalog.h"
#include "platform/qt/ButtonView.h"
#include "platform/qt/ImageView.h"
#include "platform/qt/LabelView.h"

namespace quarn::qt {

AboutWindow::AboutWindow(app::FormAbout& form, const FormWindow* owner)
    : FormWindow(form, Placement::CenterOwner), form_(form) {
    setOwner(owner);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void AboutWindow::buildContent(QWidget& client) {
    new ImageView(form_.Image1, artworkFor, &client);
    new LabelView(form_.LabelAbout, &client);
    new ButtonView(form_.CommExitAbout, &client);
}

}  // namespace quarn::qt
