#pragma once

#include "AnswerLog.h"

#include <QDate>
#include <QList>
#include <QTime>

#include <optional>

struct QuizRecord;

// When a question missed comes back, as on flash cards: a question missed in any run is due
// the next day; answered right in a review once due, it comes back after a longer interval,
// and after the longest it is learned; missed again, it starts over.
namespace review {

inline constexpr int kIntervalDays[] = {1, 3, 7, 14, 30};

// Where one question stands, by its own number and its fingerprint.
struct Standing {
    qint32 number = 0;
    QString fingerprint;
    int step = 0;             // the interval now running, in kIntervalDays
    std::optional<QDate> due; // none: not coming back (never missed, or learned)
    int timesMissed = 0;
    QDate lastMissedDay;
    QTime lastMissedTime;
};

// A question of the quiz as it is now, with where it stands.
struct Question {
    qsizetype index = 0; // in the quiz
    Standing standing;
};

// The questions of the quiz as it is now (of its folder and section) that have records. A
// question is known by its fingerprint, so one moved by an insert keeps its history; its number
// only tells identical questions apart. A record of a question since rewritten or removed
// counts for none.
QList<Question> questionsOf(const QList<QuizRecord> &quiz, const QList<answerlog::Record> &records,
                            const QString &folder, const QString &section);

// The questions due on today (due then or earlier), in the quiz's order.
QList<qsizetype> dueOn(const QList<Question> &questions, QDate today);
// The first day after today on which one of them is due; none when none comes back.
std::optional<QDate> nextDueAfter(const QList<Question> &questions, QDate today);
// Those missed at least once, most often missed first, then the latest missed; at most limit.
QList<Question> mostMissed(QList<Question> questions, qsizetype limit);

} // namespace review
