#pragma once

#include "AnswerLog.h"
#include "History.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// A learner's finished run as a file in the class folder that a teacher reads: who, which
// section, when, the kind of run, and each question's number, fingerprint, correct answer,
// answer given, mark and start. One CSV file per run (UTF-8 with a BOM) that a spreadsheet
// opens: a line of the run's fields under their header, then a line per question under its.
namespace classrun {

struct Answer {
    qint32 number = 0;
    QString fingerprint;
    QString correct;
    QString given; // empty: left unanswered
    answerlog::Mark mark = answerlog::Mark::Unanswered;
    QString start; // the question's text as plain text, cut short

    bool operator==(const Answer &) const = default;
};

struct Run {
    QString learner;
    QString section;
    QDateTime when; // local time, whole seconds
    history::RunKind kind = history::RunKind::Full;
    QList<Answer> answers;

    bool operator==(const Run &) const = default;
    // As the results window counts: a four-choice question 2 points when right, a true/false
    // one 1 point when right and 1 off when wrong; others count nothing.
    qint32 score() const;
    qint32 maxScore() const;
};

// A file bigger than this is no run of ours (32,766 questions would be far less).
inline constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;

QByteArray encode(const Run &run);
// None when the bytes are not a whole run file.
std::optional<Run> decode(QByteArrayView bytes);

// A name no other run's file takes: the time, then random digits, so that forty learners
// finishing in the same second never collide; nothing of the learner's name.
QString fileNameFor(const Run &run);

// Where runs wait that could not be written to the class folder:
// $XDG_DATA_HOME/Tessellar/outbox.
QString outboxFolder();

// Writes the run's file into the class folder whole or not at all (a temporary name renamed at
// the end), together with any run still waiting in the outbox. A run that cannot be written
// there waits in the outbox for the next time. Returns why the class folder could not be
// written, or an empty text when every run is there.
QString send(const Run &run, const QString &classFolder);

struct FolderRead {
    QList<Run> runs;      // in the order of their file names
    int skippedFiles = 0; // damaged, too big, not regular files, links
    QString error;        // the folder cannot be listed
};
// Every run file in the folder, read as untrusted input.
FolderRead readFolder(const QString &classFolder);

} // namespace classrun
