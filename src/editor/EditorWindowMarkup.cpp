// Mark-up the tag builder hands the editor, put where the author's caret is.
#include "EditorWindow.h"
#include "TextBoxes.h"

#include <QPlainTextEdit>

// Into the box the author was in; a control without text (a button, the list) takes nothing.
void EditorWindow::insertMarkup(const QString &markup) {
    textboxes::replaceSelection(focusWidget(), markup);
}

void EditorWindow::insertLineBreak() {
    QWidget *focused = focusWidget();
    if (focused == questionBox || focused == choicesBox)
        textboxes::replaceSelection(focused, QStringLiteral("<br>\r\n"));
}

// An item more in the choices' list, or a list of one item to start from.
void EditorWindow::insertListTag() {
    if (!textboxes::text(choicesBox).isEmpty()) {
        textboxes::replaceSelection(choicesBox, QStringLiteral("<LI>"));
    } else {
        textboxes::setText(choicesBox, QStringLiteral("<OL><LI>\r\n</OL>"));
        textboxes::setCaret(choicesBox, 8);
    }
    activateWindow();
    choicesBox->setFocus();
}
