#pragma once

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QPointer>

#include <functional>

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
    // The key last handled and its receiver: a key that no control accepts travels on to the
    // parents, and must not be handled once more on its way.
    struct KeyIdentity {
        int key = 0;
        Qt::KeyboardModifiers modifiers;
        QString text;
        quint64 timestamp = 0;
        bool autoRepeat = false;
        bool operator==(const KeyIdentity &) const = default;
    };
    static KeyIdentity identify(const QKeyEvent &key);
    KeyIdentity m_last;
    QPointer<QWidget> m_lastReceiver;
    std::function<bool(QKeyEvent *)> m_handler;
};
