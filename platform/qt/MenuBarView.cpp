#include "platform/qt/MenuBarView.h"

#include <QAction>
#include <QMenu>

#include "platform/qt/QtConversions.h"

namespace quarn::qt {

namespace {
void syncAction(QAction& action, const MenuItem& item) {
    action.setText(toQString(item.caption()));
    action.setEnabled(item.enabled());
    action.setVisible(item.visible());
}
}  // namespace

MenuBarView::MenuBarView(const std::vector<MenuItem*>& topLevel, QWidget* parent)
    : QMenuBar(parent) {
    setNativeMenuBar(false);
    for (MenuItem* item : topLevel) {
        if (item->items().empty()) {
            QAction* action = bind(*item, addAction(QString()));
            connect(action, &QAction::triggered, this, [item] { item->click(); });
            continue;
        }
        QMenu* menu = addMenu(QString());
        bind(*item, menu->menuAction());
        // Opening the menu is the top-level item's Click, as in a window menu.
        connect(menu, &QMenu::aboutToShow, this, [item] { item->click(); });
        for (MenuItem* sub : item->items()) {
            QAction* action = bind(*sub, menu->addAction(QString()));
            connect(action, &QAction::triggered, this, [sub] { sub->click(); });
        }
    }
}

QAction* MenuBarView::bind(MenuItem& item, QAction* action) {
    action->setObjectName(toQString(item.name()));
    syncAction(*action, item);
    bindings_.push_back({&item, action, std::make_unique<ModelObservation>(item, [action, &item] {
                             syncAction(*action, item);
                         })});
    return action;
}

QAction* MenuBarView::actionFor(const MenuItem& item) const {
    for (const auto& binding : bindings_) {
        if (binding.model == &item) {
            return binding.action;
        }
    }
    return nullptr;
}

}  // namespace quarn::qt
