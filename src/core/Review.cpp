#include "Review.h"

#include "QuizRecord.h"

#include <QHash>

#include <algorithm>

namespace review {
namespace {
constexpr int kSteps = int(std::size(kIntervalDays));

void takeMiss(Standing &s, const answerlog::Record &r) {
    ++s.timesMissed;
    s.lastMissedDay = r.day;
    s.lastMissedTime = r.time;
    s.step = 0;
    s.due = r.day.addDays(kIntervalDays[0]);
}

// Only a review once due moves a question on: a right answer in the retry right after a miss,
// or twice in a day, is no sign it is known.
void takeRightAnswer(Standing &s, const answerlog::Record &r) {
    if (r.kind != history::RunKind::Review || !s.due || r.day < *s.due)
        return;
    if (++s.step >= kSteps)
        s.due.reset(); // learned
    else
        s.due = r.day.addDays(kIntervalDays[s.step]);
}

using Key = std::pair<qint32, QString>;
} // namespace

QList<Standing> standings(const QList<answerlog::Record> &records, const QString &folder,
                          const QString &section) {
    const QString key = answerlog::folderKey(folder);
    QHash<Key, qsizetype> at;
    QList<Standing> result;
    for (const answerlog::Record &r : records) {
        if (r.section != section || r.folder != key)
            continue;
        qsizetype &i = at[Key(r.number, r.fingerprint)];
        if (i == 0) {
            Standing fresh;
            fresh.number = r.number;
            fresh.fingerprint = r.fingerprint;
            result.append(fresh);
            i = result.size();
        }
        Standing &s = result[i - 1];
        if (r.missed())
            takeMiss(s, r);
        else
            takeRightAnswer(s, r);
    }
    return result;
}

QList<Question> matched(const QList<QuizRecord> &quiz, const QList<Standing> &standings) {
    QHash<Key, const Standing *> byKey;
    for (const Standing &s : standings)
        byKey.insert(Key(s.number, s.fingerprint), &s);
    QList<Question> result;
    for (qsizetype i = 0; i < quiz.size(); ++i) {
        const Standing *s = byKey.value(Key(quiz[i].reportNumber, answerlog::fingerprint(quiz[i])));
        if (s)
            result.append(Question{i, *s});
    }
    return result;
}

QList<qsizetype> dueOn(const QList<Question> &questions, QDate today) {
    QList<qsizetype> due;
    for (const Question &q : questions)
        if (q.standing.due && *q.standing.due <= today)
            due.append(q.index);
    return due;
}

std::optional<QDate> nextDueAfter(const QList<Question> &questions, QDate today) {
    std::optional<QDate> next;
    for (const Question &q : questions)
        if (q.standing.due && *q.standing.due > today && (!next || *q.standing.due < *next))
            next = q.standing.due;
    return next;
}

QList<Question> mostMissed(QList<Question> questions, qsizetype limit) {
    questions.removeIf([](const Question &q) { return q.standing.timesMissed == 0; });
    std::stable_sort(questions.begin(), questions.end(), [](const Question &a, const Question &b) {
        const Standing &x = a.standing;
        const Standing &y = b.standing;
        if (x.timesMissed != y.timesMissed)
            return x.timesMissed > y.timesMissed;
        return std::pair(x.lastMissedDay, x.lastMissedTime) >
               std::pair(y.lastMissedDay, y.lastMissedTime);
    });
    if (questions.size() > limit)
        questions.resize(limit);
    return questions;
}

} // namespace review
