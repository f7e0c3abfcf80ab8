#pragma once

#include <QString>
#include <QStringList>

// Where quiz files and pictures live, and how sections map to file names.
namespace sections {

// QuizFolder + separator + "q" + section + ".tsl"; the separator is always inserted, even
// after a root folder that already ends with one.
QString quizFilePath(const QString &quizFolder, const QString &section);

// Why a section name typed by a user cannot name a quiz file in the folder (a separator,
// "..", a control character), or an empty text when it can.
QString nameProblem(const QString &section);

// The listing pattern: QuizFolder + separator + pattern, or QuizFolder + pattern when the
// folder is a root that already ends with a separator.
QString listingPattern(const QString &quizFolder, const QString &pattern);

// Section names of the quiz files in the folder ("q" + name + ".tsl", any letter case),
// plain visible files only, sorted by name. A missing folder yields none.
QStringList list(const QString &quizFolder);

// Full path of a picture named in a question; a backslash in the name is a separator, as
// in quiz files made on Windows.
QString picturePath(const QString &quizFolder, const QString &imageFile);

// The quiz folder when the settings name none: the sample quizzes shipped with the program.
QString defaultQuizFolder();

} // namespace sections
