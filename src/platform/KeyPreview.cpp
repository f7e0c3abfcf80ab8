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

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != m_type || !watched->isWidgetType())
        return false;
    auto *receiver = static_cast<QWidget *>(watched);
    if (receiver->window() != m_window)
        return false;
    if (event == m_last && m_lastReceiver && receiver != m_lastReceiver &&
        receiver->isAncestorOf(m_lastReceiver))
        return false;
    m_last = event;
    m_lastReceiver = receiver;
    return m_handler(static_cast<QKeyEvent *>(event));
}
