#pragma once

#include "QuizRecord.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Questions as learning platforms hold them (Moodle XML, GIFT): a single-answer multiple
// choice question with up to four answers, or a true/false one, with its text, general
// feedback and picture. Our quiz's questions go to them and come back as they were: the
// choices of a four-choice question are split into the platform's answers where they are an
// ordered list or four lines; where they cannot be, they travel in the question text (in a
// <div class="tessellar-choices">) with the answers "1" to "4".
namespace exchange {

enum class Kind { MultiChoice, TrueFalse };

struct Picture {
    QString name;            // the name in the quiz folder, "/" between folders
    QByteArray bytes;        // empty when only referenced (GIFT)
    qsizetype question = -1; // coming in: the index of the question it came with
    bool operator==(const Picture &) const = default;
};

struct Question {
    Kind kind = Kind::MultiChoice;
    QString title;
    QString text;               // HTML, with the choices when they travel in it, and the picture
    QStringList answers;        // HTML; multiple choice only
    int right = 0;              // the right answer's index; for true/false 0 is true
    QString feedback;           // the key point, plain text
    QList<Picture> pictures;    // the first the text does not show is the question's picture,
                                // unless the text ends with another's tag
    QList<Picture> answerFiles; // what the answers show
};

// A platform's file as read: its questions we can take, and those left out.
struct FileRead {
    QList<Question> questions;
    QStringList skipped; // each question left out, by its position, and why
    QString error;       // the file as a whole cannot be read
};

// The block that carries choices in the question text, and the tag that names a picture at
// its end: the source prefix (Moodle XML: "@@PLUGINFILE@@/") and the name, escaped for a URL.
QString choicesBlock(const QString &choices);
QString pictureTag(const QString &prefix, const QString &name);
inline const QString kMoodleFiles = QStringLiteral("@@PLUGINFILE@@/");

struct Outgoing {
    QList<Question> questions;
    int choicesInText = 0; // four-choice questions whose choices could not be split
    QStringList notes;     // questions left out, pictures not found
};

// The quiz's questions for a platform; section names them. Pictures are read from the quiz
// folder when withPictures (Moodle XML embeds them). A question whose answer is neither 1-4
// nor ○/× is left out and named in the notes.
Outgoing toPlatform(const QList<QuizRecord> &quiz, const QString &section,
                    const QString &quizFolder, bool withPictures);

// The items of choices HTML that is an ordered list or four lines, or none.
std::optional<QStringList> splitChoices(const QString &html);
// The choices HTML of items: an ordered list, as our quizzes write them.
QString joinChoices(const QStringList &items);

struct Incoming {
    QList<QuizRecord> quiz;
    QList<Picture> pictures; // to be written into the quiz folder
    QStringList notes;       // pictures left out
    QString error;           // where and why nothing can be written; empty when none
};

// Our questions from a platform's, numbered from 1. A picture tag at the end of a text
// becomes the question's picture; links to embedded files point into the quiz folder. Text
// a quiz file cannot hold (a character Shift_JIS lacks, a field too long) refuses the whole,
// naming the question.
Incoming fromPlatform(const QList<Question> &questions);

// HTML feedback as the plain text a key point is: tags left out, paragraphs and <br> as line
// breaks, character references read.
QString plainText(const QString &html);

// A name below the quiz folder for a picture named so in a file from anywhere: only its
// parts that are plain names, nothing that climbs out ("..", a leading "/"); empty when none
// is left.
QString safePictureName(const QString &name);
// Writes the pictures into the folder: a picture of that name with the same bytes is used as
// it is, another is never written over (the new one takes a free name, and its question
// follows). Returns why a picture could not be written, or empty.
QString writePictures(const QString &quizFolder, QList<Picture> &pictures, QList<QuizRecord> &quiz);

} // namespace exchange
