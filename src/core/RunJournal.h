#pragma once

#include "History.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The journal of a quiz run under way: the answers, their marks, the question on show and the
// time taken, kept on disk after every answer so that a crash or a power cut loses nothing.
// One journal per quiz file, in $XDG_STATE_HOME/Tessellar (usually ~/.local/state).
namespace runjournal {

// Which quiz file a journal belongs to: a journal of a file since changed is worthless.
struct QuizIdentity {
    QString path;
    qint64 size = -1;
    qint64 modified = 0; // milliseconds since the epoch
    QByteArray sha256;   // of the file's bytes, in hexadecimal
    bool operator==(const QuizIdentity &) const = default;
};

struct Journal {
    QuizIdentity quiz;
    QStringList answerTexts;
    QList<qint32> answerMarks;
    qint32 questionOnShow = 1;
    double elapsedSeconds = 0;
    // The questions of the run, by their indexes in the quiz, when they are not the whole quiz
    // in its order (a shuffled run, a retry, a review); the answers follow this order.
    QList<qsizetype> order;
    history::RunKind kind = history::RunKind::Full; // full, retry or review
    bool practice = false;                          // each mark shown as it is answered
};

// The identity of the file as it is now; size -1 when it cannot be read.
QuizIdentity identify(const QString &quizFile);
// The identity of the file whose bytes were read just now.
QuizIdentity identify(const QString &quizFile, QByteArrayView bytes);

// Writes the journal in place of the last one, whole or not at all; returns why it could not.
QString write(const Journal &journal);

// The journal of the quiz file identified, if there is one that belongs to the file as it was
// identified and to a quiz of questionCount questions (its order naming each question at most
// once). A journal that does not is dropped.
std::optional<Journal> find(const QuizIdentity &quiz, qsizetype questionCount);

void drop(const QString &quizFile);

// The journal's file, for a quiz file.
QString pathFor(const QString &quizFile);

} // namespace runjournal
