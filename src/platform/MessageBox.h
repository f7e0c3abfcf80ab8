#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

// Every message box of the program goes through here: exact text, title and buttons, no icon
// unless asked for. Tests script the answers instead of showing boxes.
namespace messagebox {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Warning, Critical };
enum class Answer { Ok, Yes, No, Cancel };

// The title of a box that has no title of its own.
QString applicationTitle();

Answer show(QWidget *parent, const QString &text, const QString &title,
            Buttons buttons = Buttons::Ok, Icon icon = Icon::None);

// An Ok box over window once the window is up and its event loop runs: a box must not run
// inside the window's show.
void showOnceUp(QWidget *window, const QString &text, const QString &title);

// The first few items joined by separator, then how many more there are: a box cannot show
// thousands.
QString fewOf(const QStringList &items, const QString &separator);

// Testing: from now on no box is shown; each one takes the next scripted answer (when the
// script has run out: Cancel, No or Ok, whichever the box has first) and is recorded.
struct Shown {
    QString text;
    QString title;
    Buttons buttons;
};
void script(const QList<Answer> &answers);
QList<Shown> takeShown();
void stopScripting();

} // namespace messagebox
