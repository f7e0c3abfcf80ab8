#pragma once

#include <QKeySequence>

class QAction;
class QMenu;
class QMenuBar;

// Menus and their items, each with the object name tests and screen readers find it by.
namespace menus {

QMenu *addMenu(QMenuBar *bar, const char *name, const char *caption);
QAction *addItem(QMenu *menu, const char *name, const char *caption, bool enabled = true,
                 const QKeySequence &shortcut = {});

} // namespace menus
