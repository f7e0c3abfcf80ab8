#include "Accessibility.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QWidget>

namespace accessibility {
namespace {
// The parts a reader meets inside a control (a combo box's text field and list, a text box's
// scroll bars) read as the control they belong to.
QList<QWidget *> parts(QWidget *control) {
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return {combo->lineEdit(), combo->view()};
    if (auto *area = qobject_cast<QAbstractScrollArea *>(control))
        return {area->verticalScrollBar(), area->horizontalScrollBar()};
    return {};
}
// Qt gives a combo box its value as name and reads its label from the label tied to it. A
// combo box the form shows without a label of its own gets one that is never shown.
void labelUnseen(QWidget *control, const QString &name) {
    auto *label = new QLabel(name, control->parentWidget());
    label->setObjectName(control->objectName() + QStringLiteral("UnseenLabel"));
    label->setBuddy(control);
    label->hide();
}
} // namespace

void name(std::initializer_list<Name> names) {
    for (const Name &n : names) {
        const QString name = QString::fromUtf8(n.name);
        n.control->setAccessibleName(name);
        for (QWidget *part : parts(n.control)) {
            if (part)
                part->setAccessibleName(name);
        }
        if (n.caption)
            n.caption->setBuddy(n.control);
        else if (qobject_cast<QComboBox *>(n.control))
            labelUnseen(n.control, name);
    }
}

// Qt tells a screen reader of every name or description set, changed or not.
void nameFigure(QWidget *figure, const QString &title, const QString &value) {
    const QString name = value.isEmpty() ? title : title + QLatin1Char(' ') + value;
    if (figure->accessibleName() != name)
        figure->setAccessibleName(name);
}

void describe(QWidget *control, const QString &description) {
    if (control->accessibleDescription() != description)
        control->setAccessibleDescription(description);
}

void chainTabs(std::initializer_list<QWidget *> order) {
    QWidget *previous = nullptr;
    for (QWidget *control : order) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

} // namespace accessibility
