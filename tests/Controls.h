#pragma once

#include <QObject>
#include <QWidget>

// Tests reach a window's controls as a user's tools do: by their objectName, in that window
// and not in a window it opened, which may name its own controls alike.
namespace testsupport {

inline const QWidget *owningWindow(const QObject *object) {
    // A menu is a popup window of its own, but its items belong to the window it drops from.
    for (; object; object = object->parent())
        if (object->isWidgetType()) {
            const QWidget *window = static_cast<const QWidget *>(object)->window();
            if (window->windowType() != Qt::Popup)
                return window;
            object = window;
        }
    return nullptr;
}

template <typename Control> Control *control(const QObject *window, const char *name) {
    const QWidget *top = owningWindow(window);
    for (Control *found : window->findChildren<Control *>(QString::fromUtf8(name)))
        if (owningWindow(found) == top)
            return found;
    qFatal("%s holds no %s named %s", qPrintable(window->objectName()),
           Control::staticMetaObject.className(), name);
    return nullptr;
}

} // namespace testsupport
