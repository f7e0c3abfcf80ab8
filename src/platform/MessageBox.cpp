#include "MessageBox.h"

#include "SessionEnd.h"

#include <QMessageBox>
#include <QTimer>

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

// What closing the box without pressing a button means.
Answer escapeAnswer(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    case Buttons::Ok:
        break;
    }
    return Answer::Ok;
}

QMessageBox::StandardButtons toQt(Buttons buttons) {
    switch (buttons) {
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

Answer scriptedAnswer(Script &script, const QString &text, const QString &title, Buttons buttons) {
    script.shown.append({text, title, buttons});
    return script.answers.isEmpty() ? escapeAnswer(buttons) : script.answers.takeFirst();
}
} // namespace

QString applicationTitle() {
    return QStringLiteral("Tessellar");
}

Answer show(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
            Icon icon) {
    if (scripted())
        return scriptedAnswer(*scripted(), text, title, buttons);
    if (sessionend::ending())
        return escapeAnswer(buttons);
    QMessageBox box(toQt(icon), title, text, toQt(buttons), parent);
    box.setTextFormat(Qt::PlainText); // texts carry file names and addresses from quizzes
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return escapeAnswer(buttons);
    }
}

void showOnceUp(QWidget *window, const QString &text, const QString &title) {
    QTimer::singleShot(0, window, [window, text, title] { show(window, text, title); });
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

QString fewOf(const QStringList &items, const QString &separator) {
    constexpr qsizetype kListed = 10;
    QStringList listed = items.mid(0, kListed);
    if (items.size() > kListed)
        listed.append(QString::fromUtf8("ほか %1 件").arg(items.size() - kListed));
    return listed.join(separator);
}

} // namespace messagebox
