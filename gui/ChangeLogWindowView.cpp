#include "gui/ChangeLogWindowView.h"

#include <QKeySequence>
#include <QShortcut>

#include "platform/qt/ButtonView.h"
#include "platform/qt/TextBoxView.h"

namespace quarn::gui {

ChangeLogWindowView::ChangeLogWindowView(workbench::ChangeLogWindow& form)
    : FormWindow(form, Placement::CenterScreen), form_(form) {
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    attach();
}

void ChangeLogWindowView::buildContent(QWidget& client) {
    new qt::TextBoxView(form_.logLines, &client);
    new qt::ButtonView(form_.closeButton, &client);
}

void ChangeLogWindowView::windowBuilt(qt::FormWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, [this] { form_.unload(); });
}

}  // namespace quarn::gui
