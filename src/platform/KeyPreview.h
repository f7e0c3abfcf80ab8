#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

// Lets a window see every key press of its own controls before they do, as windows with a
// key preview always have. The handler returns true to consume the key.
class KeyPreview : public QObject {
public:
    KeyPreview(QWidget *window, std::function<bool(QKeyEvent *)> handler);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    std::function<bool(QKeyEvent *)> m_handler;
};
