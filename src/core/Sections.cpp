#include "Sections.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sections {
namespace {
const QChar kSeparator = QDir::separator();

bool endsWithSeparator(const QString &folder) {
    return folder.endsWith(kSeparator) || folder.endsWith(QLatin1Char('/'));
}
} // namespace

QString quizFilePath(const QString &quizFolder, const QString &section) {
    const QString exact =
        quizFolder + kSeparator + QLatin1Char('q') + section + QLatin1String(".tsl");
    if (QFileInfo::exists(exact) || !nameProblem(section).isEmpty())
        return exact;
    return quizFolder + kSeparator +
           onDisk(quizFolder, QLatin1Char('q') + section + QLatin1String(".tsl"));
}

QString sectionOfFile(const QString &quizFile) {
    const QFileInfo info(quizFile);
    const QString name = info.fileName();
    if (name.size() >= 5 && name.startsWith(QLatin1Char('q'), Qt::CaseInsensitive) &&
        name.endsWith(QLatin1String(".tsl"), Qt::CaseInsensitive))
        return name.mid(1, name.size() - 5);
    return info.completeBaseName();
}

QString nameProblem(const QString &section) {
    const bool control = std::any_of(section.cbegin(), section.cend(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    if (section.contains(QLatin1Char('/')) || section.contains(QLatin1Char('\\')) ||
        section.contains(QLatin1String("..")) || control)
        return QString::fromUtf8("問題名 (セクション) に「/」「\\」「..」や制御文字は使えません。");
    return {};
}

QString listingPattern(const QString &quizFolder, const QString &pattern) {
    return endsWithSeparator(quizFolder) ? quizFolder + pattern : quizFolder + kSeparator + pattern;
}

QStringList list(const QString &quizFolder) {
    const QFileInfo pattern(listingPattern(quizFolder, QStringLiteral("q*.tsl")));
    const QDir folder(pattern.path(), pattern.fileName(), QDir::NoSort, QDir::Files);
    QStringList names;
    for (const QString &file : folder.entryList())
        names.append(sectionOfFile(file));
    std::sort(names.begin(), names.end());
    return names;
}

QString picturePath(const QString &quizFolder, const QString &imageFile) {
    return quizFolder + kSeparator + onDisk(quizFolder, imageFile);
}

namespace {
// The entry of folder named like name: the exact name if it exists, else the first (in
// sorted order) that differs only in letter case, else name itself.
QString entryOnDisk(const QString &folder, const QString &name) {
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
        QFileInfo::exists(folder + kSeparator + name))
        return name;
    QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                 QDir::NoDotAndDotDot);
    std::sort(entries.begin(), entries.end());
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    }
    return name;
}
} // namespace

QString onDisk(const QString &folder, const QString &relative) {
    QStringList parts =
        QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')).split(QLatin1Char('/'));
    QString walked = folder;
    for (QString &part : parts) {
        part = entryOnDisk(walked, part);
        walked += kSeparator + part;
    }
    return parts.join(kSeparator);
}

QString defaultQuizFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Program Files\\Tessellar");
#else
    const QString installed = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../" TESSELLAR_INSTALLED_DATA "/quizzes");
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return QStringLiteral(TESSELLAR_SAMPLE_DIR);
#endif
}

} // namespace sections
