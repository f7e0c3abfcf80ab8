#include "MessageBox.h"

#include <QMessageBox>

#include <optional>

namespace messagebox {
namespace {
struct Script {
    QList<Answer> answers;
    QList<Shown> shown;
};
std::optional<Script> &scripted() {
    static std::optional<Script> script;
    return script;
}

QMessageBox::Icon toQt(Icon icon) {
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Warning:
        return QMessageBox::Warning;
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

Answer scriptedAnswer(Script &script, const QString &text, const QString &title, Buttons buttons) {
    script.shown.append({text, title, buttons});
    const Answer fallback = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    return script.answers.isEmpty() ? fallback : script.answers.takeFirst();
}
} // namespace

QString applicationTitle() {
    return QStringLiteral("Tessellar");
}

Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
            Icon icon) {
    if (scripted())
        return scriptedAnswer(*scripted(), text, title, buttons);
    QMessageBox box(
        toQt(icon), title, text,
        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

void script(const QList<Answer> &answers) {
    if (!scripted())
        scripted().emplace();
    scripted()->answers = answers;
}

QList<Shown> takeShown() {
    return scripted() ? std::exchange(scripted()->shown, {}) : QList<Shown>();
}

void stopScripting() {
    scripted().reset();
}

} // namespace messagebox
