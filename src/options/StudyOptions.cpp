#include "StudyOptions.h"

#include "Settings.h"

#include <QDir>
#include <QString>

namespace studyoptions {
namespace {
// Anything but 1 (an edited or damaged settings file) is the default.
bool isOn(const char *key) {
    return settings::readNumber(QString::fromLatin1(key), 0) == 1;
}

// Line breaks, tabs and other control characters become spaces; a full-width space between
// family and given name stays.
QString oneLine(QString text) {
    for (QChar &c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
            c = QLatin1Char(' ');
    return text.trimmed();
}
} // namespace

bool practiceMode() {
    return isOn("PracticeMode");
}

void setPracticeMode(bool on) {
    settings::writeNumber(QStringLiteral("PracticeMode"), on ? 1 : 0);
}

bool shuffledOrder() {
    return isOn("ShuffledOrder");
}

void setShuffledOrder(bool on) {
    settings::writeNumber(QStringLiteral("ShuffledOrder"), on ? 1 : 0);
}

// The name goes into every run file the teacher reads: one plain line, kept short.
QString learnerName() {
    return oneLine(settings::readString(QStringLiteral("LearnerName"), QString()))
        .left(kMaxNameLength);
}

void setLearnerName(const QString &name) {
    settings::writeString(QStringLiteral("LearnerName"), oneLine(name));
}

QString classFolder() {
    const QString folder = settings::readString(QStringLiteral("ClassFolder"), QString());
    return QDir::isAbsolutePath(folder) ? QDir::cleanPath(folder) : QString();
}

void setClassFolder(const QString &folder) {
    settings::writeString(QStringLiteral("ClassFolder"), folder.trimmed());
}

} // namespace studyoptions
