#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Lets a window see every key press (or release) of its own controls before they do, as
// windows with a key preview always have. The handler returns true to consume the key.
class KeyPreview : public QObject {
public:
    KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler,
               QEvent::Type type = QEvent::KeyPress);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QEvent::Type m_type;
    // The key event last handled and its receiver: a key that no control accepts travels on
    // to the parents, and must not be handled once more on its way.
    const QEvent *m_last = nullptr;
    const QWidget *m_lastReceiver = nullptr;
    std::function<bool(QKeyEvent *)> m_handler;
};
