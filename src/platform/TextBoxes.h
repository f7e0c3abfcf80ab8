#pragma once

#include <QString>

class QWidget;

// Text of the program's text boxes as quiz files hold it: multi-line boxes keep lines
// ended by CR LF, as they always have, though Qt's editors work with LF alone.
namespace textboxes {

// The box's whole text; empty for a control that holds no text.
QString text(const QWidget *box);
void setText(QWidget *box, const QString &text);
// The selected text, CR LF between lines.
QString selectedText(const QWidget *box);
// Replaces the selection (or inserts at the caret); false for a control without text.
bool replaceSelection(QWidget *box, const QString &text);
// Whether the user changed the text since it was last set or marked unchanged.
bool isModified(const QWidget *box);
void markUnmodified(QWidget *box);
// The box's own undo and redo of the user's edits (setText starts a new history); false,
// doing nothing, when there is nothing to undo or redo, or the control holds no text.
enum class History { Undo, Redo };
bool canStep(const QWidget *box, History step);
bool step(QWidget *box, History step);
// Places the caret, counting characters as the box shows them.
void setCaret(QWidget *box, int position);

} // namespace textboxes
