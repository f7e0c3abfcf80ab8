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
    return quizFolder + kSeparator + QLatin1Char('q') + section + QLatin1String(".tsl");
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
        names.append(file.mid(1, file.size() - 5));
    std::sort(names.begin(), names.end());
    return names;
}

QString picturePath(const QString &quizFolder, const QString &imageFile) {
    QString name = imageFile;
    name.replace(QLatin1Char('\\'), kSeparator);
    return quizFolder + kSeparator + name;
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
