#include "KeyPreview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler)
    : QObject(window), m_window(window), m_handler(std::move(handler)) {
    qApp->installEventFilter(this);
}

KeyPreview::~KeyPreview() {
    qApp->removeEventFilter(this);
}

bool KeyPreview::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    if (static_cast<QWidget *>(watched)->window() != m_window)
        return false;
    return m_handler(static_cast<QKeyEvent *>(event));
}
