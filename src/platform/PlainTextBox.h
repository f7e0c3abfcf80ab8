#pragma once

#include <QPlainTextEdit>

// A multi-line text box of the program's windows. It takes only text from the clipboard or a
// drop: Qt 6.4's own paste dies on clipboard data without text (an empty clipboard, say),
// taking every unsaved question with it. Tab moves on to the next control, as in every other
// box of a form; Ctrl+Tab types a TAB for an author who needs one.
class PlainTextBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PlainTextBox(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
};
