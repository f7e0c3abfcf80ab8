#pragma once

#include "AnswerLog.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

// The questions of a section that the learner missed most often, from the record of every
// answer, for the progress window's table and the review of them.
namespace mostmissed {

// How many the table lists, and a review of them takes.
inline constexpr qsizetype kListed = 20;

struct Row {
    qint32 number = 0;
    int timesMissed = 0;
    QDateTime lastMissed;
    QString start; // the question's text as plain text, cut short
};

// The rows of the section's quiz in the folder as the quiz file is now (a question rewritten or
// removed since has none); none when the file cannot be read.
QList<Row> rows(const QList<answerlog::Record> &records, const QString &quizFolder,
                const QString &section);

QStringList headers();
QStringList texts(const Row &row);

} // namespace mostmissed
