#include "TagText.h"

#include "Sections.h"

#include <QDir>
#include <QFileInfo>

namespace tagtext {

QString ComposeTags(const Tags &t, const QString &innerText) {
    return t.ParaOpen + t.StyleOpen + t.TableOpen + t.LinkOpen + t.ImageTag + innerText +
           t.LinkClose + t.TableClose + t.StyleClose + t.ParaClose;
}

QString linkOpen(const QString &url) {
    return QStringLiteral("<a href=\"") + url + QStringLiteral("\">");
}

QString imageTag(const QString &pictureName) {
    return QStringLiteral("<img src=\"file:///PathName\\") + pictureName + QStringLiteral("\">");
}

QStringList pictureEntries(const QString &quizFolder, const QString &folder) {
    const QString base = QFileInfo(quizFolder).canonicalFilePath();
    const QString shown = QFileInfo(folder).canonicalFilePath();
    if (base.isEmpty() || shown.isEmpty())
        return {};
    QString prefix;
    if (shown != base) {
        const QString relative = QDir(base).relativeFilePath(shown);
        if (relative.startsWith(QLatin1String("..")) || QDir::isAbsolutePath(relative))
            return {};
        prefix = QString(relative).replace(QLatin1Char('/'), QLatin1Char('\\')) + QLatin1Char('\\');
    }
    const QFileInfo pattern(sections::listingPattern(shown, QStringLiteral("*.gif")));
    const QStringList names =
        QDir(pattern.path(), pattern.fileName(), QDir::Name | QDir::IgnoreCase, QDir::Files)
            .entryList();
    QStringList entries;
    for (const QString &name : names)
        entries.append(prefix + name);
    return entries;
}

} // namespace tagtext
