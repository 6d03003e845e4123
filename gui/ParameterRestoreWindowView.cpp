#include "gui/ParameterRestoreWindowView.h"

#include <QKeySequence>
#include <QShortcut>

#include "platform/qt/ButtonView.h"
#include "platform/qt/LabelView.h"

namespace quarn::gui {

ParameterRestoreWindowView::ParameterRestoreWindowView(workbench::ParameterRestoreWindow& form)
    : FormWindow(form, Placement::CenterScreen), form_(form) {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    attach();
}

void ParameterRestoreWindowView::buildContent(QWidget& client) {
    for (quarn::Label* label : {&form_.fileLine, &form_.serialLine, &form_.parameterHeading,
                                &form_.sensorHeading, &form_.fileHeading, &form_.stateHeading}) {
        new qt::LabelView(*label, &client);
    }
    for (const sensor::ParameterRow& row : sensor::kParameterTable) {
        workbench::RestoreRow& shown = form_.row(row.parameter);
        for (quarn::Label* label :
             {&shown.caption, &shown.sensorValue, &shown.fileValue, &shown.state}) {
            new qt::LabelView(*label, &client);
        }
    }
    new qt::LabelView(form_.outcomeLine, &client);
    // Apply first in the focus order; its '&' gives the Alt access key.
    new qt::ButtonView(form_.applyButton, &client);
    new qt::ButtonView(form_.closeButton, &client);
}

void ParameterRestoreWindowView::windowBuilt(qt::FormWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, [this] { form_.onClose(); });
}

}  // namespace quarn::gui
