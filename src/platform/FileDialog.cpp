#include "FileDialog.h"

#include <QFileDialog>

#include <algorithm>
#include <optional>
#include <utility>

namespace filedialog {
namespace {
std::optional<QStringList> &scripted() {
    static std::optional<QStringList> answers;
    return answers;
}

QStringList &askedFolders() {
    static QStringList folders;
    return folders;
}

QString scriptedAnswer(const QString &folder) {
    askedFolders().append(folder);
    return scripted()->isEmpty() ? QString() : scripted()->takeFirst();
}

// "問題ﾌｧｲﾙ (*.tsl)|*.tsl" -> "問題ﾌｧｲﾙ (*.tsl)": Qt reads the patterns from the name.
QString qtFilter(const QString &filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList names;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        names.append(parts[i]);
    return names.join(QStringLiteral(";;"));
}
} // namespace

QString openFile(QWidget *parent, const QString &title, const QString &filter,
                 const QString &folder) {
    if (scripted())
        return scriptedAnswer(folder);
    return QFileDialog::getOpenFileName(parent, title, folder, qtFilter(filter));
}

QString saveFile(QWidget *parent, const QString &title, const QString &filter,
                 const QString &folder, int *chosenFilter) {
    if (chosenFilter)
        *chosenFilter = 0;
    if (scripted())
        return scriptedAnswer(folder);
    const QString filters = qtFilter(filter);
    QString chosen;
    const QString path = QFileDialog::getSaveFileName(parent, title, folder, filters, &chosen);
    if (chosenFilter)
        *chosenFilter = std::max(0, int(filters.split(QStringLiteral(";;")).indexOf(chosen)));
    return path;
}

QString chooseFolder(QWidget *parent, const QString &title, const QString &start) {
    if (scripted())
        return scriptedAnswer(start);
    return QFileDialog::getExistingDirectory(parent, title, start);
}

void script(const QStringList &answers) {
    scripted() = answers;
}
void stopScripting() {
    scripted().reset();
    askedFolders().clear();
}
QStringList takeAskedFolders() {
    return std::exchange(askedFolders(), {});
}

} // namespace filedialog
