#pragma once

#include <QString>

#include <initializer_list>

class QLabel;
class QWidget;

// What a screen reader says about a window: every control that takes input or shows a figure
// has a name a listener understands, and Tab visits the controls in reading order.
namespace accessibility {

struct Name {
    QWidget *control;
    const char *name;          // UTF-8
    QLabel *caption = nullptr; // the label that stands for the control on screen, if any
};
// Names each control and ties its caption to it.
void name(std::initializer_list<Name> names);

// A figure reads as its title and its value at once ("総得点 5"), or as its title alone
// while it has no value.
void nameFigure(QWidget *figure, const QString &title, const QString &value);

// What a screen reader says after the control's name; it is said at once while the control
// has the focus, so it is set only when it changes.
void describe(QWidget *control, const QString &description);

// Tab visits the controls in this order.
void chainTabs(std::initializer_list<QWidget *> order);

} // namespace accessibility
