#include "KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler, QEvent::Type type)
    : QObject(window), m_window(window), m_type(type), m_handler(std::move(handler)) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    qApp->removeEventFilter(this);
}

// Qt reuses the address of one key event for the next, so an event is known by what it says.
KeyPreview::KeyIdentity KeyPreview::identify(const QKeyEvent &key) {
    return {key.key(), key.modifiers(), key.text(), key.timestamp(), key.isAutoRepeat()};
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != m_type || !watched->isWidgetType())
        return false;
    // Keys belong to an open menu or popup first; a menu also hands keys it does not use to
    // its menu bar, which sits in the window.
    if (QApplication::activePopupWidget())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver->window() != m_window)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (m_lastReceiver && receiver != m_lastReceiver && receiver->isAncestorOf(m_lastReceiver) &&
        identify(*key) == m_last)
        return false; // on its way to the parents of a control that did not take it
    m_last = identify(*key);
    m_lastReceiver = receiver;
    return m_handler(static_cast<QKeyEvent *>(event));
}
