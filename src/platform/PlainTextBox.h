#pragma once

#include <QPlainTextEdit>

// A multi-line text box that takes only text from the clipboard or a drop. Qt 6.4's own
// paste dies on clipboard data without text (an empty clipboard, say), taking every
// unsaved question with it.
class PlainTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
