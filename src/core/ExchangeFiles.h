#pragma once

#include "Exchange.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// A quiz to and from a learning platform's file, for the tool and the editor alike.
namespace exchange {

enum class Format { MoodleXml, Gift };

// Moodle XML for .xml (any case), GIFT otherwise.
Format formatFor(const QString &fileName);
QString formatName(Format format);

struct Exported {
    QByteArray bytes;
    int questions = 0;
    int choicesInText = 0;
    QStringList notes; // questions left out, pictures not found
};
// The quiz's questions in the format; its section names them, its folder has its pictures.
Exported exportQuiz(const QList<QuizRecord> &quiz, const QString &section,
                    const QString &quizFolder, Format format);

struct Imported {
    QList<QuizRecord> quiz;
    QList<Picture> pictures; // for writePictures
    QStringList skipped;     // questions of the file left out, by position
    QStringList notes;       // pictures left out
    QString error;           // nothing can be taken; empty when the quiz can
};
// Reads the file (a regular file of at most the format's size); with strict, any question
// that must be left out refuses the whole.
Imported importFile(const QString &path, Format format, bool strict);

// What an export or an import did, in lines for the user.
QString exportSummary(const Exported &exported);
QString importSummary(const Imported &imported);

} // namespace exchange
