#include "Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace menus {

QMenu *addMenu(QMenuBar *bar, const char *name, const char *caption) {
    QMenu *menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *addItem(QMenu *menu, const char *name, const char *caption, bool enabled,
                 const QKeySequence &shortcut) {
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
    action->setShortcut(shortcut);
    return action;
}

} // namespace menus
