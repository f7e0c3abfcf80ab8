#include "TextBoxes.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace textboxes {
namespace {
QString toEditor(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
QString fromEditor(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
} // namespace

QString text(const QWidget *box) {
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->text();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return fromEditor(lines->toPlainText());
    return {};
}

void setText(QWidget *box, const QString &text) {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setText(text);
    else if (auto *lines = qobject_cast<QPlainTextEdit *>(box))
        lines->setPlainText(toEditor(text));
}

QString selectedText(const QWidget *box) {
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->selectedText();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return fromEditor(lines->textCursor().selectedText());
    return {};
}

bool replaceSelection(QWidget *box, const QString &text) {
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        line->insert(text);
        return true;
    }
    if (auto *lines = qobject_cast<QPlainTextEdit *>(box)) {
        lines->insertPlainText(toEditor(text));
        return true;
    }
    return false;
}

bool isModified(const QWidget *box) {
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return line->isModified();
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return lines->document()->isModified();
    return false;
}

void markUnmodified(QWidget *box) {
    if (auto *line = qobject_cast<QLineEdit *>(box))
        line->setModified(false);
    else if (auto *lines = qobject_cast<QPlainTextEdit *>(box))
        lines->document()->setModified(false);
}

bool canStep(const QWidget *box, History step) {
    const bool undo = step == History::Undo;
    if (auto *line = qobject_cast<const QLineEdit *>(box))
        return !line->isReadOnly() && (undo ? line->isUndoAvailable() : line->isRedoAvailable());
    if (auto *lines = qobject_cast<const QPlainTextEdit *>(box))
        return !lines->isReadOnly() &&
               (undo ? lines->document()->isUndoAvailable() : lines->document()->isRedoAvailable());
    return false;
}

bool step(QWidget *box, History step) {
    if (!canStep(box, step))
        return false;
    const bool undo = step == History::Undo;
    if (auto *line = qobject_cast<QLineEdit *>(box))
        undo ? line->undo() : line->redo();
    else if (auto *lines = qobject_cast<QPlainTextEdit *>(box))
        undo ? lines->undo() : lines->redo();
    return true;
}

void setCaret(QWidget *box, int position) {
    if (auto *line = qobject_cast<QLineEdit *>(box)) {
        line->setCursorPosition(position);
    } else if (auto *lines = qobject_cast<QPlainTextEdit *>(box)) {
        QTextCursor cursor = lines->textCursor();
        cursor.setPosition(position);
        lines->setTextCursor(cursor);
    }
}

} // namespace textboxes
