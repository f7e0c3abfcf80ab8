#include "PlainTextBox.h"

#include <QKeyEvent>
#include <QMimeData>

namespace {
bool holdsText(const QMimeData *source) {
    return source && source->hasText() && !source->text().isEmpty();
}
} // namespace

PlainTextBox::PlainTextBox(QWidget *parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
}

bool PlainTextBox::event(QEvent *event) {
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier) {
            insertPlainText(QStringLiteral("\t"));
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

bool PlainTextBox::canInsertFromMimeData(const QMimeData *source) const {
    return holdsText(source);
}

void PlainTextBox::insertFromMimeData(const QMimeData *source) {
    if (holdsText(source))
        insertPlainText(source->text());
}
