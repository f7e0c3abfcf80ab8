#pragma once

#include <QString>
#include <QStringList>

// Where quiz files and pictures live, and how sections map to file names.
namespace sections {

// quizFolder + separator + "q" + section + ".tsl"; the separator is always inserted, even
// after a root folder that already ends with one. Quiz folders made on Windows ignore letter
// case: an existing file whose name differs only in case is the one named (QKANA.TSL for
// "KANA"), the exact name first, so loading and saving find the file that is there.
QString quizFilePath(const QString &quizFolder, const QString &section);

// The section a quiz file holds: the name part of "q" + section + ".tsl" (any letter case),
// or the file's base name when it is not named so.
QString sectionOfFile(const QString &quizFile);

// Why a section name typed by a user cannot name a quiz file in the folder (a separator,
// "..", a control character), or an empty text when it can.
QString nameProblem(const QString &section);

// The listing pattern: quizFolder + separator + pattern, or quizFolder + pattern when the
// folder is a root that already ends with a separator.
QString listingPattern(const QString &quizFolder, const QString &pattern);

// Section names of the quiz files in the folder ("q" + name + ".tsl", any letter case),
// plain visible files only, sorted by name. A missing folder yields none.
QStringList list(const QString &quizFolder);

// Full path of a picture named in a question; a backslash in the name is a separator, as
// in quiz files made on Windows, and each part of the name is found whatever its letter case.
QString picturePath(const QString &quizFolder, const QString &imageFile);

// The path below the folder as it is on disk: each part of relative ("/" or "\" between
// them) is the existing entry of that name, the exact name first, then one that differs
// only in letter case; parts that do not exist stay as they are.
QString onDisk(const QString &folder, const QString &relative);

// The quiz folder when the settings name none: the sample quizzes shipped with the program.
QString defaultQuizFolder();

} // namespace sections
