#pragma once

#include "History.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

#include <optional>

struct QuizRecord;

// The record of every answer: for each question of a run that reached its results, one line
// with the time, the quiz (its folder and section), the question's own number and
// fingerprint, the kind of run, the answer given and its mark. Reviews are built from it.
// A CSV file beside the score history, appended to and never rewritten.
namespace answerlog {

enum class Mark { Correct, Wrong, Unanswered };

// The word a record names the mark by (正解, 不正解, 未回答), and back.
QString markWord(Mark mark);
std::optional<Mark> markOfWord(const QString &word);

struct Record {
    QDate day; // local time
    QTime time;
    QString folder; // the quiz folder, absolute: two sections of one name stay apart
    QString section;
    qint32 number = 0;   // the question's own number, as the report prints it
    QString fingerprint; // of the question as it was asked; see fingerprint()
    history::RunKind kind = history::RunKind::Full;
    QString given;
    Mark mark = Mark::Unanswered;

    bool operator==(const Record &) const = default;
    bool missed() const { return mark != Mark::Correct; }
};

// How much of the end of the file is read at most: some 200,000 answers, years of daily
// runs. Older lines stay in the file; they no longer count for reviews.
inline constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;

// $XDG_DATA_HOME/Tessellar/answers.csv, beside history.csv.
QString filePath();

// The folder as records name it: absolute and clean.
QString folderKey(const QString &folder);

// Eight hexadecimal digits that change when the question's text, choices or answer do: a
// record of a question since rewritten no longer counts for it.
QString fingerprint(const QuizRecord &question);

// Appends the records' lines in a single write, as history::append does.
QString append(const QList<Record> &records, const QString &path = filePath());

struct ReadResult {
    QList<Record> records; // in the order of the file
    int skippedLines = 0;
    bool olderLinesLeftOut = false;
    QString error;
};
ReadResult read(const QString &path = filePath());
ReadResult parse(QByteArrayView bytes);

} // namespace answerlog
